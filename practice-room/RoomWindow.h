// One chat room: transcript, input, people here, send button and room name.
#pragma once

#include <string>
#include <vector>

#include "ChatLog.h"
#include "Look.h"
#include "MdiChild.h"
#include "Transcript.h"

struct RoomRules {
    std::wstring screenName;
    int emptyDelayMs = 0;
    bool neverEmpty = false;
    bool closeOnLine = false;
    int busyMs = 0;
    int faultFrom = 1;
    bool exitOnEnter = false;
    bool renderReferences = false;
};

class RoomWindow : public MdiChild {
  public:
    // linesOffered counts the lines Enter offered to any room of the client.
    RoomWindow(const RoomRules& rules, ChatLog& log, const Look& look, int& linesOffered)
        : rules_(rules), log_(log), look_(look), linesOffered_(linesOffered) {}

    HWND Input() const { return input_; }
    HWND TranscriptWindow() const { return transcriptWindow_; }

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    const RoomRules& rules_;
    ChatLog& log_;
    const Look& look_;
    int& linesOffered_;
    HWND transcriptWindow_ = nullptr, input_ = nullptr, people_ = nullptr, send_ = nullptr,
         label_ = nullptr;
    Transcript transcript_;

    bool OnCreate();
    void OnSize(int width, int height);
    void OnEnter();
    void TakeLine();
    std::wstring InputText() const;
};
