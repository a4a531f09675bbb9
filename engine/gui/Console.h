#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"
#include "engine/gui/ConsoleServices.h"
#include "engine/gui/ConsoleSettings.h"

#include <string>
#include <vector>

namespace Halvard {

class GUIEditBox;
class GUIFont;
class GUIWindow;

// The drop-down command console: its key slides a panel down from the top
// of the GUI space and back. It mirrors the log's messages of every frame,
// executes typed lines as configuration lines, keeps their history, completes
// variable names and scrolls back through everything it ever showed. It
// draws through a GUI window and an edit box that it owns through the GUI
// manager. Keeps plain pointers to the services, which must outlive it. Main
// thread only.
class Console {
public:
    enum State : i32 { kOpening = 0, kOpen = 1, kClosing = 2, kClosed = 3 };

    // The shader manager and the background's shader description are handed
    // on for the panel's picture; either may be null. An unknown font is
    // logged and the console lays its text out with no width at all.
    Console(const ConsoleServices& services, const ConsoleSettings& settings);
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;
    // Gives the panel and the edit box back to the GUI manager and unbinds
    // its variables, whose values the configuration keeps.
    virtual ~Console();

    // The whole work of a frame, after the controls and the GUI's input step
    // and before the log forgets the frame's messages.
    void Update();

    // Appends the text in pieces that each fit the GUI's width; a newline
    // ends a line.
    void AddText(const Vector4& color, const std::wstring& text);

    State GetState() const { return state_; }
    GUIWindow* GetWindow() const { return window_; }
    GUIEditBox* GetEditBox() const { return editBox_; }

private:
    struct LinePiece {
        std::wstring text;
        Vector4 color;
        bool endsLine;
        float width;
    };

    void CreateInputLine(wchar_t caretCharacter);
    void RegisterVariables(const std::string& consoleKey, float alpha, float size, float speed);
    void CheckRanges();
    std::wstring PadToWidth(std::wstring text, wchar_t fill) const;
    float Measure(const std::wstring& text) const;
    void StorePiece(const std::wstring& text, const Vector4& color, bool endsLine);

    void MirrorLog();
    void ToggleAndSlide();
    void Draw();
    void QueueRow(float& row, const std::wstring& text);
    size_t ChooseFirstPiece(float& row);
    void HandleKey();
    void Execute();
    void Answer(i32 result, const std::string& name);
    void HistoryUp();
    void HistoryDown();
    void Complete();

    MessageManager* messages_;
    TimerManager* timers_;
    Config* config_;
    Controls* controls_;
    ShaderManager* shaders_;
    GUIManager* gui_;
    State state_ = kClosed;
    std::string consoleKey_;
    float alpha_ = 0.0f;
    float size_ = 0.0f;
    float speed_ = 0.0f;
    std::wstring prompt_;
    std::wstring scrollMarker_;
    std::wstring versionLine_;
    std::string sayText_;
    u32 fontId_;
    GUIFont* font_ = nullptr;
    GUIWindow* window_ = nullptr;
    GUIEditBox* editBox_ = nullptr;
    i32 scrollOffset_ = 0;
    std::vector<LinePiece> lines_;
    i32 historyIndex_ = 0;
    std::vector<std::wstring> history_;
    float margin_ = 0.0f;
    float lineHeight_ = 0.0f;
    std::wstring displayName_;
};

} // namespace Halvard
