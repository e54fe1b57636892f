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
};

class RoomWindow : public MdiChild {
  public:
    RoomWindow(const RoomRules& rules, ChatLog& log, const Look& look)
        : rules_(rules), log_(log), look_(look) {}

    HWND Input() const { return input_; }
    HWND TranscriptWindow() const { return transcriptWindow_; }

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    const RoomRules& rules_;
    ChatLog& log_;
    const Look& look_;
    HWND transcriptWindow_ = nullptr, input_ = nullptr, people_ = nullptr, send_ = nullptr,
         label_ = nullptr;
    Transcript transcript_;

    bool OnCreate();
    void OnSize(int width, int height);
    void TakeLine();
    std::wstring InputText() const;
};
