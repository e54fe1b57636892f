// The fault soak: many Sends through quillon.exe's real controls while the chat client is
// healthy, slow, hung past the Send's bound, or dies inside Enter, with the practice room closed
// and started again between episodes. Before each Send a draft is typed into the room's input.
// Prints the longest time the window left posted messages untaken, lines lost and posted twice,
// drafts lost, and quillon.exe's GDI objects and private bytes at start and end; fails (exit
// code 1) on any loss, any double post or an answer slower than the bound.
// Run by hand under Xvfb and Wine, with quillon.exe and practice-room.exe beside it:
//   xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '. scripts/wine-env.sh; wine_start;
//       $quillon_wine build/windows/bin/fault_soak.exe --sends 200 --seed 1; wine_stop'
// Without arguments: a short run of 20 Sends.
#include "ControlIds.h"
#include "GdiObjects.h"
#include "PostedProbe.h"
#include "PracticeRoom.h"
#include "QuillonApp.h"
#include "SoakTools.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr unsigned kAnswerBoundMs = 250;
constexpr DWORD kDraftBackMs = 30000; // a hung client gets its draft once it answers again

enum class Client { Healthy, Slow, Hung, Dying };
constexpr const char* kClientNames[] = {"healthy", "slow", "hung", "dying"};

std::wstring TextOf(HWND window) {
    std::wstring text;
    return ReadText(window, text) ? text : L"<no answer>";
}

template <class Condition> bool Eventually(Condition condition, DWORD timeoutMs) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 50, Settle(50))
        if (condition())
            return true;
    return condition();
}

struct Tally {
    int sends = 0, resends = 0, taken = 0, takenLate = 0, keptAfterTaken = 0, notTaken = 0;
    int lost = 0, twice = 0, draftsLost = 0, draftsLate = 0, draftsToUser = 0;
    std::map<std::wstring, bool> outstanding; // drafts not back yet
    int byClient[4] = {};
    unsigned longestMs[4] = {};          // longest unanswered during a Send, by client
    std::map<std::wstring, int> arrived; // line -> times it reached any room
};

class Soak {
  public:
    explicit Soak(const SoakSettings& settings) : settings_(settings), random_(settings.seed) {}

    int Run() {
        {
            PracticeRoom first;
            app_ = std::make_unique<QuillonApp>();
            if (!first.WaitForLines(2, 15000)) {
                std::puts("fault soak: the start-up lines did not arrive");
                return 1;
            }
        }
        const int gdiStart = GdiObjectCount(app_->Process());
        const std::size_t privateStart = PrivateKb(app_->Process());
        const DWORD started = GetTickCount();
        {
            PostedProbe probe(app_->Control(quillon::IDC_COMBO1));
            probe_ = &probe;
            while (tally_.sends < settings_.sends && Alive())
                Episode();
            longestMs_ = std::max(longestMs_, probe.LongestMs());
            probes_ = probe.Probes();
            probe_ = nullptr;
        }
        return Report(gdiStart, privateStart, GetTickCount() - started);
    }

  private:
    SoakSettings settings_;
    std::mt19937 random_;
    std::unique_ptr<QuillonApp> app_;
    Tally tally_;
    std::wstring pending_; // a line Quillon kept in Text1, to be sent again
    int lineNumber_ = 0;
    int lastHung_ = 0; // Sends made before the last hung client
    unsigned longestMs_ = 0, probes_ = 0;
    PostedProbe* probe_ = nullptr;

    int Between(int low, int high) { return std::uniform_int_distribution(low, high)(random_); }
    bool Alive() const { return !app_->WaitForExit(0); }

    Client Pick() {
        // At least one client hung past the bound in every stretch of this many Sends.
        constexpr int kHungEvery = 40;
        const int roll = Between(1, 100);
        // Per episode; a healthy room takes several Sends, a hung or dying one a single Send.
        const Client client = tally_.sends - lastHung_ >= kHungEvery ? Client::Hung
                              : roll <= 40                           ? Client::Healthy
                              : roll <= 80                           ? Client::Slow
                              : roll <= 88                           ? Client::Hung
                                                                     : Client::Dying;
        if (client == Client::Hung)
            lastHung_ = tally_.sends;
        return client;
    }

    // One practice room, started with one fault, for a few Sends; closed at the end.
    void Episode() {
        const Client client = Pick();
        std::vector<std::wstring> args;
        int busyMs = 0, sends = 1;
        switch (client) {
        case Client::Healthy:
            sends = Between(1, 6);
            break;
        case Client::Slow:
            busyMs = Between(300, 3000);
            sends = Between(1, 3);
            break;
        case Client::Hung:
            busyMs = Between(11000, 13000);
            break;
        case Client::Dying:
            args = {L"--exit-on-enter"};
            break;
        }
        if (busyMs)
            args = {L"--busy-ms", std::to_wstring(busyMs)};
        PracticeRoom room(args);
        for (int i = 0; i < sends && tally_.sends < settings_.sends && Alive(); ++i)
            if (!OneSend(room, client, busyMs))
                break;
        if (!room.WaitForExit(0))
            NoteDraftBack(room);
        Count(room);
    }

    // The lines this room received, added to the tally once the room is done.
    void Count(const PracticeRoom& room) {
        for (const std::string& raw : room.Lines()) {
            const std::wstring line = ShownText(raw);
            if (line.rfind(L"soak ", 0) == 0 && ++tally_.arrived[line] == 2)
                ++tally_.twice;
        }
    }

    int Arrived(const PracticeRoom& room, const std::wstring& line) const {
        int n = tally_.arrived.count(line) ? tally_.arrived.at(line) : 0;
        for (const std::string& raw : room.Lines())
            n += ShownText(raw) == line;
        return n;
    }

    // False when the room is gone and the episode must end.
    bool OneSend(const PracticeRoom& room, Client client, int busyMs) {
        const std::wstring draft = L"draft " + std::to_wstring(tally_.sends);
        NoteDraftBack(room);
        SendMessageW(room.Input(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(draft.c_str()));
        std::wstring line = pending_;
        if (line.empty()) {
            line = L"soak " + std::to_wstring(settings_.seed) + L"-" +
                   std::to_wstring(++lineNumber_) +
                   (Between(0, 3) == 0 ? L" \u03A9 caf\u00E9" : L" plain words");
            app_->SetText(line);
        } else {
            ++tally_.resends;
        }
        ++tally_.sends;
        ++tally_.byClient[static_cast<int>(client)];
        const std::size_t before = room.Lines().size();
        longestMs_ = std::max(longestMs_, probe_->LongestMs());
        probe_->Reset();
        app_->Press(quillon::IDC_COMMAND1);

        bool survived = true;
        switch (client) {
        case Client::Healthy:
        case Client::Slow:
            room.WaitForLines(before + 1, static_cast<DWORD>(busyMs) + 10000);
            app_->WaitUntil([](const QuillonApp& a) { return a.Text().empty(); }, 5000);
            break;
        case Client::Hung:
            // Taken once the client wakes: Quillon then takes its copy out of the text line.
            if (room.WaitForLines(before + 1, static_cast<DWORD>(busyMs) + 10000))
                app_->WaitUntil([](const QuillonApp& a) { return a.Text().empty(); }, 5000);
            break;
        case Client::Dying:
            survived = !room.WaitForExit(10000);
            // The draft has no room left to go back to: it comes to the text line, in front.
            if (Eventually([&] { return app_->Text() == draft + L" " + line; }, 5000)) {
                ++tally_.draftsToUser;
                app_->SetText(line);
            }
            break;
        }
        Settle(200);
        unsigned& longest = tally_.longestMs[static_cast<int>(client)];
        longest = std::max(longest, probe_->LongestMs());
        const std::wstring left = app_->Text();
        const int arrived = Arrived(room, line);
        if (arrived > 1 && left.empty())
            std::printf("posted twice: %s\n", Utf8(line).c_str());
        if (left.empty()) {
            pending_.clear();
            ++tally_.taken;
            tally_.takenLate += client == Client::Hung;
            if (arrived == 0) {
                ++tally_.lost;
                std::printf("lost (%s client): %s\n", kClientNames[static_cast<int>(client)],
                            Utf8(line).c_str());
            }
        } else if (left == line && arrived == 1) {
            // Taken, and still offered to be sent again.
            ++tally_.keptAfterTaken;
            std::printf("taken, and still in the text line: %s\n", Utf8(line).c_str());
            pending_.clear();
            app_->SetText(L"");
        } else if (left == line) {
            ++tally_.notTaken;
            pending_ = line;
        } else {
            ++tally_.lost;
            std::printf("Text1 holds \"%s\" after sending \"%s\"\n", Utf8(left).c_str(),
                        Utf8(line).c_str());
            pending_.clear();
        }

        if (!survived)
            return false;
        if (!Eventually([&] { return TextOf(room.Input()) == draft; }, kDraftBackMs)) {
            tally_.outstanding[draft] = true;
            std::printf("draft not back within %lu s (%s client): input holds \"%s\"\n",
                        kDraftBackMs / 1000, kClientNames[static_cast<int>(client)],
                        Utf8(TextOf(room.Input())).c_str());
        }
        return true;
    }

    // A draft held back earlier that the program has put into this room's input since.
    void NoteDraftBack(const PracticeRoom& room) {
        const auto found = tally_.outstanding.find(TextOf(room.Input()));
        if (found == tally_.outstanding.end())
            return;
        ++tally_.draftsLate;
        std::printf("draft back later: %s\n", Utf8(found->first).c_str());
        tally_.outstanding.erase(found);
    }

    int Report(int gdiStart, std::size_t privateStart, DWORD elapsedMs) {
        const bool alive = Alive();
        const int gdiEnd = alive ? GdiObjectCount(app_->Process()) : -1;
        const std::size_t privateEnd = alive ? PrivateKb(app_->Process()) : 0;
        if (!pending_.empty())
            ++tally_.lost; // never sent again: the run ended first
        tally_.draftsLost += static_cast<int>(tally_.outstanding.size());
        std::printf("fault soak: seed %u, %d Sends (%d healthy, %d slow, %d hung, %d dying "
                    "clients), %d of them sent again, in %.0f s\n",
                    settings_.seed, tally_.sends, tally_.byClient[0], tally_.byClient[1],
                    tally_.byClient[2], tally_.byClient[3], tally_.resends, elapsedMs / 1000.0);
        std::printf("  taken %d (%d by a hung client after the program gave up on it), not "
                    "taken %d, taken and still offered for another Send %d\n",
                    tally_.taken, tally_.takenLate, tally_.notTaken, tally_.keptAfterTaken);
        std::printf("  longest unanswered: %u ms over %u posted probes (bound %u ms); during a "
                    "Send to a healthy client %u ms, slow %u ms, hung %u ms, dying %u ms\n",
                    longestMs_, probes_, kAnswerBoundMs, tally_.longestMs[0], tally_.longestMs[1],
                    tally_.longestMs[2], tally_.longestMs[3]);
        std::printf("  lines lost or changed %d, lines posted twice %d, drafts lost %d (back later "
                    "than %lu s: %d; of clients that died, back in the text line: %d)\n",
                    tally_.lost, tally_.twice, tally_.draftsLost, kDraftBackMs / 1000,
                    tally_.draftsLate, tally_.draftsToUser);
        std::printf("  quillon.exe GDI objects %d -> %d, private bytes %zu KB -> %zu KB%s\n",
                    gdiStart, gdiEnd, privateStart, privateEnd, alive ? "" : " (it died)");
        return alive && tally_.lost == 0 && tally_.twice == 0 && tally_.draftsLost == 0 &&
                       tally_.keptAfterTaken == 0 && longestMs_ <= kAnswerBoundMs
                   ? 0
                   : 1;
    }
};

} // namespace

int wmain(int argc, wchar_t** argv) {
    return SoakMain(argc, argv, "fault_soak", [](const SoakSettings& settings) {
        return Soak(settings).Run();
    });
}
