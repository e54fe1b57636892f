// The user soak: a person who keeps acting while quillon.exe posts into a slow or hung chat
// client with two rooms. During a post the simulated user presses Send again (0.3 s apart),
// types the next line into the text line, sends it too (it queues), types into the chat input
// of a hung room, brings the other room to the front, and now and then closes Quillon (the close
// mark or WM_CLOSE) and starts it again. Each line the user types carries a token; the rooms'
// logs and the text line say where every token went.
// Prints lines posted twice, lines lost, typing lost (text line and chat inputs), drafts found in
// another room's input, the longest time the window left a posted message untaken, and each
// quillon.exe's GDI objects and private bytes at its start and end; exit code 1 on any loss,
// double post, misplaced draft or other wrong outcome.
// Run by hand under Xvfb and Wine, with quillon.exe and practice-room.exe beside it:
//   xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '. scripts/wine-env.sh; wine_start;
//       $quillon_wine build/windows/bin/user_soak.exe --sends 300 --seed 1; wine_stop'
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
#include <cwctype>
#include <iterator>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr DWORD kPostBoundMs = 10000;   // Quillon gives a line up after this
constexpr DWORD kPressGapMs = 300;      // between repeated presses of Send
constexpr DWORD kActWithinMs = 8000;    // a hung client's post surely runs this long
constexpr DWORD kPressMarginMs = 250;   // a press must reach Quillon this long before a post ends
constexpr DWORD kQuietTimeoutMs = 40000; // for every line to arrive and every draft to go back
constexpr int kRoomSendId = 101;        // the practice room's own Send button

constexpr const wchar_t* kNoAnswer = L"<no answer>";

std::wstring TextOf(HWND window, UINT timeoutMs = 300) {
    std::wstring text;
    return ReadText(window, text, timeoutMs) ? text : kNoAnswer;
}

std::vector<std::wstring> Words(const std::wstring& text) {
    std::wistringstream in(text);
    std::vector<std::wstring> words;
    for (std::wstring word; in >> word;)
        words.push_back(word);
    return words;
}

// The id in a token "<letter><seed>n<id>", or 0.
int TokenId(const std::wstring& word, const std::wstring& prefix) {
    if (word.size() <= prefix.size() || word.compare(0, prefix.size(), prefix) != 0)
        return 0;
    for (std::size_t i = prefix.size(); i < word.size(); ++i)
        if (!std::iswdigit(word[i]))
            return 0;
    return std::stoi(word.substr(prefix.size()));
}

// A line the user typed into the text line; its first word is its token.
struct Piece {
    std::wstring text;
    bool sent = false;         // Send was pressed while it was in the text line
    bool duringPost = false;   // typed while a post was on its way
    bool settled = false;      // counted as lost or twice already
};

enum class Kind { Slow, Hung };
// Where the time a posted message waited is counted.
enum Phase { kSlowPost, kHungPost, kClosing, kBetween, kPhases };
constexpr const char* kPhaseNames[] = {"posts to slow clients", "posts to hung clients",
                                       "closing", "between posts"};

struct Tally {
    int sends = 0, sendsSlow = 0, sendsHung = 0, emptyPresses = 0, typedDuringPost = 0;
    int queued = 0, chatTyped = 0, roomSwitches = 0, closesMark = 0, closesOutside = 0;
    int givenBack = 0, takenAfterGivingUp = 0;
    int twice = 0, linesLost = 0, typingLostText1 = 0, typingLostChat = 0, wrongRoom = 0;
    int boxes = 0, notLeftAtSend = 0, notInFront = 0, notSelected = 0, outOfOrder = 0;
    int goodbyesExpected = 0, goodbyes = 0, unexpectedExits = 0;
    unsigned longestMs[kPhases] = {};
    unsigned probes = 0;
};

struct Instance {
    int sends = 0;
    int gdiStart = 0, gdiEnd = -1;
    std::size_t privateStart = 0, privateEnd = 0;
};

class Soak {
  public:
    explicit Soak(const SoakSettings& settings)
        : settings_(settings), random_(settings.seed),
          linePrefix_(L"u" + std::to_wstring(settings.seed) + L"n"),
          chatPrefix_(L"c" + std::to_wstring(settings.seed) + L"n") {}

    int Run() {
        {
            PracticeRoom first({L"--rooms", L"2"});
            Start();
            if (!first.WaitForLines(2, 15000)) {
                std::puts("user soak: the start-up lines did not arrive");
                return 1;
            }
        }
        const DWORD started = GetTickCount();
        while (tally_.sends < settings_.sends && Alive())
            Episode();
        if (!Alive() && !closing_)
            ++tally_.unexpectedExits;
        Stop();
        return Report(GetTickCount() - started);
    }

  private:
    SoakSettings settings_;
    std::mt19937 random_;
    const std::wstring linePrefix_, chatPrefix_;
    std::unique_ptr<QuillonApp> app_;
    std::unique_ptr<PostedProbe> probe_;
    std::vector<Instance> instances_;
    Tally tally_;
    std::vector<Piece> pieces_{Piece{}}; // by id; 0 unused
    std::vector<int> inText1_;           // ids the user knows are in the text line, in order
    std::vector<int> sentThisTurn_;      // ids sent since the last check, in order
    std::map<int, int> pastArrivals_;    // from rooms already closed
    std::map<int, int> chatArrivals_;    // chat tokens typed into the room's input and sent there
    int pastGoodbyes_ = 0;
    int chatNumber_ = 0, draftNumber_ = 0;
    std::map<HWND, std::wstring> expected_;    // what each chat input must hold when quiet
    std::map<std::wstring, HWND> draftOwner_;  // every draft typed, and the input it was typed in
    std::map<HWND, std::wstring> lastDraft_;
    int lastHung_ = 0, nextClose_ = 0;
    bool closing_ = false;

    int Between(int low, int high) { return std::uniform_int_distribution(low, high)(random_); }
    bool Chance(int percent) { return Between(1, 100) <= percent; }
    bool Alive() const { return app_ && !app_->WaitForExit(0); }

    // --- Quillon's life ---------------------------------------------------------------------

    void Start() {
        app_ = std::make_unique<QuillonApp>();
        Settle(300);
        Instance instance;
        instance.gdiStart = GdiObjectCount(app_->Process());
        instance.privateStart = PrivateKb(app_->Process());
        instances_.push_back(instance);
        // The user replaces the box's first text with their own.
        app_->SetText(L"");
        probe_ = std::make_unique<PostedProbe>(app_->Control(quillon::IDC_COMBO1));
        nextClose_ = tally_.sends + Between(15, 40);
    }

    void Measure() {
        Instance& instance = instances_.back();
        instance.gdiEnd = GdiObjectCount(app_->Process());
        instance.privateEnd = PrivateKb(app_->Process());
    }

    // The longest wait since the last call goes to `phase`.
    void Note(Phase phase) {
        if (!probe_)
            return;
        tally_.longestMs[phase] = std::max(tally_.longestMs[phase], probe_->LongestMs());
        probe_->Reset();
    }

    // Once the window is gone: a probe then still waiting is not counted.
    void DropProbe() {
        if (!probe_)
            return;
        tally_.probes += probe_->Probes();
        probe_.reset();
    }

    void Stop() {
        if (Alive()) {
            Measure();
            Note(kBetween);
        }
        DropProbe();
    }

    // --- what arrived -----------------------------------------------------------------------

    struct Arrivals {
        std::map<int, int> count;    // token -> times it reached any room
        std::map<int, int> position; // token -> line number of its first arrival in this room
        std::map<int, int> chat;
        int goodbyes = 0;
    };

    Arrivals Read(const PracticeRoom& room) const {
        Arrivals a{pastArrivals_, {}, chatArrivals_, pastGoodbyes_};
        const std::vector<std::string> lines = room.Lines();
        for (std::size_t n = 0; n < lines.size(); ++n) {
            const std::wstring shown = ShownText(lines[n]);
            if (shown.find(L"[unloaded]") != std::wstring::npos)
                ++a.goodbyes;
            for (const std::wstring& word : Words(shown)) {
                if (const int id = TokenId(word, linePrefix_)) {
                    ++a.count[id];
                    a.position.emplace(id, static_cast<int>(n));
                } else if (const int chat = TokenId(word, chatPrefix_)) {
                    ++a.chat[chat];
                }
            }
        }
        return a;
    }

    void Keep(const PracticeRoom& room) {
        const Arrivals a = Read(room);
        pastArrivals_ = a.count;
        chatArrivals_ = a.chat;
        pastGoodbyes_ = a.goodbyes;
    }

    static int CountOf(const std::map<int, int>& m, int id) {
        const auto it = m.find(id);
        return it == m.end() ? 0 : it->second;
    }

    std::vector<int> TokensIn(const std::wstring& text) const {
        std::vector<int> ids;
        for (const std::wstring& word : Words(text))
            if (const int id = TokenId(word, linePrefix_))
                ids.push_back(id);
        return ids;
    }

    std::wstring Joined(const std::vector<int>& ids) const {
        std::wstring text;
        for (int id : ids)
            text += (text.empty() ? L"" : L" ") + pieces_[id].text;
        return text;
    }

    // --- the user's actions -----------------------------------------------------------------

    int NewPiece(bool duringPost) {
        const int id = static_cast<int>(pieces_.size());
        Piece piece;
        piece.text = linePrefix_ + std::to_wstring(id) +
                     (Between(0, 3) == 0 ? L" \u03A9 caf\u00E9" : L" plain words");
        piece.duringPost = duringPost;
        pieces_.push_back(piece);
        return id;
    }

    // Types a new line into the text line, after whatever the user knows is there.
    void Type(bool duringPost) {
        const int id = NewPiece(duringPost);
        inText1_.push_back(id);
        app_->SetText(Joined(inText1_));
        if (duringPost)
            ++tally_.typedDuringPost;
    }

    // Send with something in the text line: that text leaves it at once.
    void Send(Kind kind) {
        for (int id : inText1_) {
            pieces_[id].sent = true;
            sentThisTurn_.push_back(id);
        }
        inText1_.clear();
        ++tally_.sends;
        ++(kind == Kind::Slow ? tally_.sendsSlow : tally_.sendsHung);
        ++instances_.back().sends;
        app_->Press(quillon::IDC_COMMAND1);
        if (!app_->WaitUntil([](const QuillonApp& a) { return a.Text().empty(); }, 2000)) {
            ++tally_.notLeftAtSend;
            std::printf("the line stayed in the text line after Send: \"%s\"\n",
                        Utf8(app_->Text()).c_str());
        }
    }

    // A press on Send with the text line empty, while a line is on its way: nothing happens.
    void PressAgain() {
        ++tally_.emptyPresses;
        app_->Press(quillon::IDC_COMMAND1);
    }

    void DismissBoxes(const char* when) {
        Settle(50);
        while (const HWND box = app_->Dialog()) {
            ++tally_.boxes;
            std::printf("a message box came up %s\n", when);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            Settle(300);
            if (app_->Dialog() == box)
                break;
        }
    }

    void NewDraft(HWND input) {
        const std::wstring draft =
            L"draft " + std::to_wstring(settings_.seed) + L"-" + std::to_wstring(++draftNumber_);
        SendMessageW(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(draft.c_str()));
        expected_[input] = draft;
        lastDraft_[input] = draft;
        draftOwner_[draft] = input;
    }

    // --- waiting and checking ---------------------------------------------------------------

    bool InputsAsExpected() const {
        for (const auto& [input, text] : expected_)
            if (TextOf(input) != text)
                return false;
        return true;
    }

    // Every line sent since the last check has arrived or is back in the text line, and every
    // chat input holds what it should; `also` adds a condition of the caller's.
    template <class Also> bool WaitQuiet(const PracticeRoom& room, Also also) {
        const DWORD start = GetTickCount();
        for (;;) {
            const Arrivals a = Read(room);
            const std::vector<int> inText1 = TokensIn(app_->Text());
            const bool placed = std::all_of(sentThisTurn_.begin(), sentThisTurn_.end(), [&](int id) {
                return CountOf(a.count, id) > 0 ||
                       std::find(inText1.begin(), inText1.end(), id) != inText1.end();
            });
            if (placed && also(a) && InputsAsExpected())
                return true;
            if (GetTickCount() - start > kQuietTimeoutMs || !Alive())
                return false;
            Settle(50);
        }
    }

    bool WaitQuiet(const PracticeRoom& room) {
        return WaitQuiet(room, [](const Arrivals&) { return true; });
    }

    // Where every token and draft is once Quillon is quiet; then the user tidies the text line
    // the way a person would: a line given back that the room shows after all is deleted.
    void Check(const PracticeRoom& room, const std::vector<HWND>& inputs) {
        Settle(300);
        DismissBoxes("while the user waited");
        const Arrivals a = Read(room);
        const std::wstring text1 = app_->Text();
        const std::vector<int> inText1 = TokensIn(text1);

        // Order of arrival: lines queued in one turn arrive in the order they were sent.
        int lastPosition = -1;
        for (int id : sentThisTurn_) {
            const auto it = a.position.find(id);
            if (it == a.position.end())
                continue;
            if (it->second < lastPosition) {
                ++tally_.outOfOrder;
                std::printf("out of order: %s\n", Utf8(pieces_[id].text).c_str());
            }
            lastPosition = std::max(lastPosition, it->second);
        }

        for (std::size_t id = 1; id < pieces_.size(); ++id) {
            Piece& piece = pieces_[id];
            const int arrived = CountOf(a.count, static_cast<int>(id));
            const auto inText = std::count(inText1.begin(), inText1.end(), static_cast<int>(id));
            if (piece.settled)
                continue;
            if (arrived > 1 || inText > 1) {
                ++tally_.twice;
                piece.settled = true;
                std::printf("posted twice (%d arrived, %d in the text line): %s\n", arrived,
                            static_cast<int>(inText), Utf8(piece.text).c_str());
            } else if (arrived == 0 && inText == 0) {
                ++(piece.sent ? tally_.linesLost : tally_.typingLostText1);
                piece.settled = true;
                std::printf("%s: %s (text line \"%s\")\n",
                            piece.sent ? "line lost" : "typing lost from the text line",
                            Utf8(piece.text).c_str(), Utf8(text1).c_str());
            } else if (arrived == 1 && inText == 1) {
                ++tally_.takenAfterGivingUp;
            }
        }

        // The text line holds whole pieces; lines given back stand in front of what was typed
        // since, and are selected.
        if (text1 != Joined(inText1)) {
            ++tally_.typingLostText1;
            std::printf("the text line holds \"%s\", not whole lines\n", Utf8(text1).c_str());
        }
        std::vector<int> back;
        for (int id : inText1)
            if (std::find(inText1_.begin(), inText1_.end(), id) == inText1_.end())
                back.push_back(id);
        if (!back.empty()) {
            ++tally_.givenBack;
            if (!std::equal(back.begin(), back.end(), inText1.begin())) {
                ++tally_.notInFront;
                std::printf("given back behind what was typed: \"%s\"\n", Utf8(text1).c_str());
            }
            const auto selection =
                static_cast<DWORD>(SendMessageW(app_->Control(quillon::IDC_TEXT1), EM_GETSEL, 0, 0));
            const std::size_t backLength = Joined(back).size();
            if (LOWORD(selection) != 0 || HIWORD(selection) != backLength) {
                ++tally_.notSelected;
                std::printf("given back, selection %u-%u, not 0-%zu: \"%s\"\n", LOWORD(selection),
                            HIWORD(selection), backLength, Utf8(text1).c_str());
            }
        }

        // Each input holds its own text, and never another room's draft.
        for (HWND input : inputs) {
            const std::wstring held = TextOf(input, 1000);
            if (held == expected_[input])
                continue;
            const auto owner = draftOwner_.find(held);
            if (owner != draftOwner_.end() && owner->second != input) {
                ++tally_.wrongRoom;
                std::printf("draft in the wrong room: \"%s\"\n", Utf8(held).c_str());
            } else {
                ++tally_.typingLostChat;
                std::printf("chat input holds \"%s\", not \"%s\"\n", Utf8(held).c_str(),
                            Utf8(expected_[input]).c_str());
            }
            expected_[input] = held; // judged once
        }

        // The user's tidy-up.
        std::vector<int> keep;
        for (int id : inText1)
            if (CountOf(a.count, id) == 0 && !pieces_[id].settled)
                keep.push_back(id);
        inText1_ = keep;
        if (Joined(keep) != text1)
            app_->SetText(Joined(keep));
        sentThisTurn_.clear();
    }

    // --- episodes ---------------------------------------------------------------------------

    void Episode() {
        const bool hung = tally_.sends - lastHung_ >= 30 || Chance(20);
        const int emptyDelay = Between(300, 3000);
        std::vector<std::wstring> args = {L"--rooms", L"2"};
        if (hung) {
            // The client empties its input as it takes a line: an input emptied late would wipe
            // what the user typed into it during the hang, the client's doing, not Quillon's.
            args.insert(args.end(), {L"--busy-ms", std::to_wstring(Between(11000, 13000))});
            lastHung_ = tally_.sends;
        } else {
            args.insert(args.end(), {L"--empty-delay", std::to_wstring(emptyDelay)});
        }
        PracticeRoom room(args);
        expected_.clear();
        const std::vector<HWND> inputs = room.Inputs();
        for (HWND input : inputs)
            NewDraft(input);
        const int sends = hung ? Between(1, 2) : Between(2, 6);
        for (int i = 0; i < sends && tally_.sends < settings_.sends && Alive(); ++i) {
            if (hung) {
                HungTurn(room, inputs);
            } else if (tally_.sends >= nextClose_ && inText1_.empty()) {
                CloseTurn(room, inputs);
            } else {
                SlowTurn(room, inputs, static_cast<DWORD>(emptyDelay));
            }
        }
        Keep(room);
    }

    // The line in the text line (a new one if the user has none) goes; the front room gets a
    // new draft first.
    void BeginTurn(const PracticeRoom& room, Kind kind) {
        NewDraft(room.Input());
        if (inText1_.empty())
            Type(false);
        Note(kBetween);
        Send(kind);
    }

    void EndTurn(const PracticeRoom& room, const std::vector<HWND>& inputs, Kind kind) {
        if (!WaitQuiet(room))
            std::puts("still not quiet after 40 s");
        Note(kind == Kind::Slow ? kSlowPost : kHungPost);
        Check(room, inputs);
    }

    // The client takes the line at once and empties its input emptyDelay ms later; the post is
    // on its way until then.
    void SlowTurn(const PracticeRoom& room, const std::vector<HWND>& inputs, DWORD emptyDelay) {
        const std::size_t before = room.Lines().size();
        const DWORD sent = GetTickCount();
        BeginTurn(room, Kind::Slow);
        // The post surely lasts until emptyDelay after the line arrived.
        DWORD arrived = 0;
        auto stillPosting = [&] {
            if (!arrived && room.Lines().size() > before)
                arrived = GetTickCount();
            const DWORD from = arrived ? arrived : sent;
            return GetTickCount() - from + kPressMarginMs < emptyDelay || !arrived;
        };
        if (Chance(25)) { // the next line, sent behind this one
            Type(true);
            ++tally_.queued;
            Send(Kind::Slow);
        }
        if (Chance(50)) {
            const int presses = Between(1, 3);
            for (int p = 0; p < presses; ++p) {
                Settle(kPressGapMs);
                if (!stillPosting())
                    break;
                PressAgain();
            }
            DismissBoxes("after Send was pressed again during a post");
        }
        if (Chance(40))
            Type(stillPosting());
        EndTurn(room, inputs, Kind::Slow);
    }

    // The client hangs longer than Quillon's bound: the line comes back into the text line, and
    // the client takes it when it wakes.
    void HungTurn(const PracticeRoom& room, const std::vector<HWND>& inputs) {
        const HWND input = room.Input();
        const DWORD sent = GetTickCount();
        BeginTurn(room, Kind::Hung);
        const int firstToken = sentThisTurn_.front();
        const int presses = Between(2, 4);
        for (int p = 0; p < presses; ++p) {
            Settle(kPressGapMs);
            PressAgain();
        }
        DismissBoxes("after Send was pressed again during a hang");
        if (Chance(40)) {
            Type(true);
            ++tally_.queued;
            Send(Kind::Hung);
        }
        if (Chance(60)) {
            Settle(static_cast<DWORD>(Between(200, 2000)));
            Type(true);
        }
        // Typing into the hung room's input lands once the client wakes, after Quillon's
        // messages that were sent before it.
        std::thread typing;
        std::wstring chatLine;
        if (Chance(50)) {
            chatLine = chatPrefix_ + std::to_wstring(++chatNumber_) + L" typed in the room";
            expected_[input] = chatLine;
            ++tally_.chatTyped;
            typing = std::thread([input, chatLine] {
                DWORD_PTR ignored = 0;
                SendMessageTimeoutW(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(chatLine.c_str()),
                                    SMTO_NORMAL, 60000, &ignored);
            });
        }
        if (Chance(50) && inputs.size() == 2) {
            const HWND other = inputs[0] == input ? inputs[1] : inputs[0];
            const HWND area = FindWindowExW(room.Frame(), nullptr, L"MDIClient", nullptr);
            PostMessageW(area, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(GetParent(other)), 0);
            ++tally_.roomSwitches;
        }
        if (GetTickCount() - sent > kActWithinMs)
            std::puts("the user's actions took longer than a hang: some came after it");
        // The client wakes and takes the line Quillon gave up on.
        const bool woke = WaitQuiet(room, [firstToken](const Arrivals& a) {
            return CountOf(a.count, firstToken) > 0;
        });
        if (typing.joinable())
            typing.join();
        if (!woke)
            std::puts("the hung client's line did not arrive");
        Note(kHungPost);
        Check(room, inputs);
        if (!chatLine.empty()) {
            // The user sends what they typed into the room themselves; the draft Quillon held
            // for that input goes back once it is empty.
            const HWND child = GetParent(input);
            PostMessageW(child, WM_COMMAND, MAKEWPARAM(kRoomSendId, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(child, kRoomSendId)));
            const int chatId = chatNumber_;
            expected_[input] = lastDraft_[input];
            if (!WaitQuiet(room,
                           [chatId](const Arrivals& a) { return CountOf(a.chat, chatId) > 0; }))
                std::puts("the text typed into the room did not arrive, or its draft did not go "
                          "back");
            Note(kHungPost);
            if (CountOf(Read(room).chat, chatId) == 0) {
                ++tally_.typingLostChat;
                std::printf("typed into the room and sent there, never arrived: %s\n",
                            Utf8(chatLine).c_str());
            }
            Check(room, inputs);
        }
    }

    // Closed during a post, with the close mark (which says goodbye) or from outside; everything
    // sent goes, the drafts go back, and Quillon is started again.
    void CloseTurn(const PracticeRoom& room, const std::vector<HWND>& inputs) {
        BeginTurn(room, Kind::Slow);
        if (Chance(30)) {
            Type(true);
            ++tally_.queued;
            Send(Kind::Slow);
        }
        Measure();
        const bool mark = Chance(50);
        closing_ = true;
        if (mark) {
            ++tally_.closesMark;
            ++tally_.goodbyesExpected;
            app_->ClickLabel(quillon::IDC_LABEL2);
        } else {
            ++tally_.closesOutside;
            PostMessageW(app_->Form1(), WM_CLOSE, 0, 0);
        }
        // While the window exists it must answer; the probe's last wait as it goes is not counted.
        const HWND form1 = app_->Form1();
        for (DWORD waited = 0; !app_->WaitForExit(50); waited += 50) {
            if (IsWindow(form1))
                Note(kClosing);
            if (waited > 30000) {
                std::puts("Quillon did not end within 30 s of a close");
                break;
            }
        }
        DropProbe();
        const bool quiet = WaitQuiet(room);
        closing_ = false;
        if (!quiet)
            std::puts("after a close: not every line arrived, or a draft is not back");
        Start();
        if (!WaitQuiet(room))
            std::puts("after a start: a draft is not back");
        const int goodbyes = Read(room).goodbyes;
        if (goodbyes != tally_.goodbyesExpected)
            std::printf("goodbye lines so far: %d, expected %d\n", goodbyes,
                        tally_.goodbyesExpected);
        Check(room, inputs);
    }

    int Report(DWORD elapsedMs) {
        tally_.goodbyes = pastGoodbyes_;
        std::printf("user soak: seed %u, %d Sends (%d to slow clients, %d to hung ones) in %.0f s\n",
                    settings_.seed, tally_.sends, tally_.sendsSlow, tally_.sendsHung,
                    elapsedMs / 1000.0);
        std::printf("  during posts: %d presses of Send with the text line empty, %d lines typed "
                    "into it, %d of them sent behind the line on its way, %d texts typed into a "
                    "hung room's input, %d room switches\n",
                    tally_.emptyPresses, tally_.typedDuringPost, tally_.queued, tally_.chatTyped,
                    tally_.roomSwitches);
        std::printf("  closed %d times with the close mark, %d from outside, and started again; "
                    "goodbye lines %d of %d\n",
                    tally_.closesMark, tally_.closesOutside, tally_.goodbyes,
                    tally_.goodbyesExpected);
        std::printf("  lines given back %d times; %d given back that the client took after "
                    "Quillon gave up on them (the user deleted them); %zu left in the text line at "
                    "the end\n",
                    tally_.givenBack, tally_.takenAfterGivingUp, inText1_.size());
        std::printf("  lines posted twice %d, lines lost %d, typing lost %d (text line %d, chat "
                    "input %d), drafts in the wrong room %d\n",
                    tally_.twice, tally_.linesLost, tally_.typingLostText1 + tally_.typingLostChat,
                    tally_.typingLostText1, tally_.typingLostChat, tally_.wrongRoom);
        std::printf("  message boxes %d, lines left in the text line at Send %d, given back "
                    "behind newer typing %d, given back unselected %d, out of order %d, Quillon "
                    "ended by itself %d\n",
                    tally_.boxes, tally_.notLeftAtSend, tally_.notInFront, tally_.notSelected,
                    tally_.outOfOrder, tally_.unexpectedExits);
        std::printf("  longest unanswered: %u ms over %u posted probes;",
                    *std::max_element(std::begin(tally_.longestMs), std::end(tally_.longestMs)),
                    tally_.probes);
        for (int phase = 0; phase < kPhases; ++phase)
            std::printf("%s %s %u ms", phase ? "," : "", kPhaseNames[phase],
                        tally_.longestMs[phase]);
        std::puts("");
        for (std::size_t i = 0; i < instances_.size(); ++i) {
            const Instance& in = instances_[i];
            std::printf("  quillon.exe #%zu: %d Sends, GDI objects %d -> %d, private bytes %zu KB "
                        "-> %zu KB\n",
                        i + 1, in.sends, in.gdiStart, in.gdiEnd, in.privateStart, in.privateEnd);
        }
        const int faults = tally_.twice + tally_.linesLost + tally_.typingLostText1 +
                           tally_.typingLostChat + tally_.wrongRoom + tally_.boxes +
                           tally_.notLeftAtSend + tally_.notInFront + tally_.notSelected +
                           tally_.outOfOrder + tally_.unexpectedExits +
                           (tally_.goodbyes != tally_.goodbyesExpected);
        return faults == 0 ? 0 : 1;
    }
};

} // namespace

int wmain(int argc, wchar_t** argv) {
    return SoakMain(argc, argv, "user_soak", [](const SoakSettings& settings) {
        return Soak(settings).Run();
    });
}
