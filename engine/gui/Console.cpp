#include "engine/gui/Console.h"

#include "engine/core/Config.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringUtils.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/input/Controls.h"

#include <algorithm>
#include <limits>

namespace Halvard {

namespace {

enum Key : u16 {
    kTab = 9,
    kEnter = 13,
    kEscape = 27,
    kPageUp = 33,
    kPageDown = 34,
    kUp = 38,
    kDown = 40,
};

constexpr Vector4 kWhite(1.0f, 1.0f, 1.0f, 1.0f);
constexpr Vector4 kGrey(0.5f, 0.5f, 0.5f, 1.0f);
constexpr Vector4 kRed(1.0f, 0.0f, 0.0f, 1.0f);
constexpr Vector4 kGreen(0.0f, 1.0f, 0.0f, 1.0f);
constexpr Vector4 kBlue(0.0f, 0.0f, 1.0f, 1.0f);

// Layer bit 16 puts the panel behind other top-level windows; bit 2 gives
// its picture a colour, which carries the panel's opacity.
constexpr u32 kPanelFlags = GUIWindow::kLayerBack | GUIWindow::kColored;
constexpr u32 kMaxLineLength = 255;
constexpr char kSayName[] = "say";

const Vector4& ColorOfLevel(u32 level)
{
    switch (level) {
    case MessageManager::kMessage:
        return kWhite;
    case MessageManager::kWarning:
        return kGrey;
    default:
        return kRed;
    }
}

std::wstring CommonBeginning(const std::vector<std::wstring>& texts)
{
    std::wstring common = texts.front();
    for (const std::wstring& text : texts) {
        const auto differ = std::mismatch(common.begin(), common.end(), text.begin(), text.end());
        common.erase(differ.first, common.end());
    }
    return common;
}

} // namespace

Console::Console(const ConsoleServices& services, const ConsoleSettings& settings)
    : messages_(services.messages), timers_(services.timers), config_(services.config),
      controls_(services.controls), shaders_(services.shaders), gui_(services.gui),
      prompt_(1, settings.promptCharacter), fontId_(settings.fontId),
      font_(gui_->GetFontManager()->GetFont(settings.fontId)), displayName_(L"Marrow")
{
    RegisterVariables(settings.consoleKey, settings.alpha, settings.size, settings.speed);
    if (font_ != nullptr) {
        margin_ = 0.2f * font_->GetSize();
        lineHeight_ = 1.2f * font_->GetSize();
    } else {
        messages_->LogError("(Console::Console): Unknown font " + UIntToString(fontId_, 0));
    }
    const float width = gui_->GetWidth();
    const float height = gui_->GetHeight();
    // Without a background the panel has no picture and only its texts show.
    if (settings.background != nullptr)
        window_ = gui_->CreateWindowFromShader(kPanelFlags, Vector2(0.0f, height), Vector2(width, height),
                                               *settings.background, nullptr, Vector2(1.0f, 1.0f));
    else
        window_ = gui_->CreateWindowFromModel(kPanelFlags, Vector2(0.0f, height), Vector2(width, height), nullptr,
                                              nullptr);
    CreateInputLine(settings.caretCharacter);
    versionLine_ = PadToWidth(ToWString(settings.title), L' ');
    scrollMarker_ = PadToWidth(std::wstring(1, settings.scrollMarkerCharacter), settings.scrollMarkerCharacter);
}

// The input line sits right of the prompt on the second row and fills the
// rest of it; only the character count limits what is typed.
void Console::CreateInputLine(wchar_t caretCharacter)
{
    const float promptWidth = Measure(prompt_);
    GUIEditBoxSettings line;
    line.flags = GUIWindow::kShown;
    line.position = Vector2(promptWidth, margin_ + lineHeight_);
    line.size = Vector2(gui_->GetWidth() - promptWidth, lineHeight_);
    line.parent = window_;
    line.fontId = fontId_;
    line.textColor = kWhite;
    line.textOffset = Vector2(0.0f, 0.0f);
    line.maxLength = kMaxLineLength;
    line.maxWidth = std::numeric_limits<float>::max();
    line.visibleWidth = line.size.x;
    line.caretCharacter = caretCharacter;
    // The line is drawn on the panel's picture and has none of its own.
    editBox_ = gui_->CreateEditBoxFromModel(line, nullptr);
    // Keys reach the input line only once the panel is fully down.
    editBox_->active = false;
}

Console::~Console()
{
    gui_->DestroyEditBox(editBox_);
    gui_->DestroyWindow(window_);
    for (const char* name : {"ui_console_alpha", "ui_console_size", "ui_console_speed", "ui_console_key", kSayName})
        config_->RemoveVariable(name);
}

void Console::RegisterVariables(const std::string& consoleKey, float alpha, float size, float speed)
{
    config_->AddVariable("ui_console_alpha", Config::kFloat, {.saved = true}, &alpha_, FloatToString(alpha, 4));
    config_->AddVariable("ui_console_size", Config::kFloat, {.saved = true}, &size_, FloatToString(size, 4));
    config_->AddVariable("ui_console_speed", Config::kFloat, {.saved = true}, &speed_, FloatToString(speed, 4));
    config_->AddVariable("ui_console_key", Config::kString, {.saved = true}, &consoleKey_, consoleKey);
    config_->AddVariable(kSayName, Config::kString, {}, &sayText_, "");
    CheckRanges();
}

// An ini file may hold values that would leave the panel invisible, stuck
// half-way or sliding beyond the screen: those go back to their defaults.
void Console::CheckRanges()
{
    if (!(alpha_ > 0.0f && alpha_ <= 1.0f))
        config_->ResetVariable("ui_console_alpha");
    if (!(size_ > 0.0f && size_ <= gui_->GetHeight()))
        config_->ResetVariable("ui_console_size");
    if (!(speed_ >= 0.0f))
        config_->ResetVariable("ui_console_speed");
}

// Puts the fill character in front, one at a time, for as long as the text
// still fits the GUI's width, up to the longest line the console takes.
std::wstring Console::PadToWidth(std::wstring text, wchar_t fill) const
{
    const float width = gui_->GetWidth();
    while (text.size() < kMaxLineLength) {
        text.insert(text.begin(), fill);
        if (Measure(text) > width) {
            text.erase(text.begin());
            break;
        }
    }
    return text;
}

float Console::Measure(const std::wstring& text) const
{
    return font_ != nullptr ? font_->MeasureText(text, 0.0f, -1.0f).x : 0.0f;
}

void Console::StorePiece(const std::wstring& text, const Vector4& color, bool endsLine)
{
    lines_.push_back(LinePiece{text, color, endsLine, Measure(text)});
}

// A piece always keeps its first character, so a character wider than the
// GUI on its own still moves the text on.
void Console::AddText(const Vector4& color, const std::wstring& text)
{
    const float width = gui_->GetWidth();
    std::wstring piece;
    size_t next = 0;
    while (next < text.size()) {
        const wchar_t character = text[next];
        piece += character;
        if (character == L'\n') {
            StorePiece(piece, color, true);
            piece.clear();
        } else if (piece.size() > 1 && Measure(piece) > width) {
            piece.back() = L'\n';
            StorePiece(piece, color, true);
            piece.clear();
            continue;
        }
        ++next;
    }
    if (!piece.empty())
        StorePiece(piece, color, false);
}

void Console::Update()
{
    MirrorLog();
    ToggleAndSlide();
    if (state_ == kClosed)
        return;
    Draw();
    HandleKey();
}

// Log lines are UTF-8, as the file names they carry are on disk.
void Console::MirrorLog()
{
    const u32 count = messages_->GetLogEntryCount();
    for (u32 i = 0; i < count; ++i) {
        const MessageManager::Entry entry = messages_->GetLogEntry(i);
        AddText(ColorOfLevel(entry.level), Utf8ToWString(entry.text));
    }
}

void Console::ToggleAndSlide()
{
    if (controls_->IsKeyPressed(consoleKey_)) {
        if (state_ == kClosed || state_ == kClosing) {
            state_ = kOpening;
            window_->SetFlags(GUIWindow::kShown);
            editBox_->SetText(L"");
        } else {
            state_ = kClosing;
            editBox_->active = false;
        }
    }
    const float height = gui_->GetHeight();
    float& y = window_->position.y;
    switch (state_) {
    case kOpening:
        y -= speed_ * timers_->GetFrameTime();
        if (height - y > size_) {
            state_ = kOpen;
            y = height - size_;
            editBox_->active = true;
        }
        break;
    case kClosing:
        y += speed_ * timers_->GetFrameTime();
        if (y > height) {
            state_ = kClosed;
            y = height;
            window_->ClearFlags(GUIWindow::kShown);
            scrollOffset_ = 0;
        }
        break;
    case kOpen:
        y = height - size_;
        break;
    case kClosed:
        break;
    }
}

void Console::QueueRow(float& row, const std::wstring& text)
{
    window_->AddText(0, fontId_, Vector2(0.0f, row), kWhite, text, 0.0f, -1.0f);
    row += lineHeight_;
}

// Walks back from the newest piece over the lines scrolled past and the
// lines that fit; the row grows with each line taken.
size_t Console::ChooseFirstPiece(float& row)
{
    const float top = gui_->GetHeight() - size_;
    i32 skips = scrollOffset_;
    size_t first = lines_.size();
    while (first > 0) {
        --first;
        if (!lines_[first].endsLine)
            continue;
        if (skips > 0) {
            --skips;
        } else if (row >= top) {
            break;
        } else {
            row += lineHeight_;
        }
    }
    scrollOffset_ -= skips;
    return first;
}

void Console::Draw()
{
    window_->SetColor(Vector4(1.0f, 1.0f, 1.0f, alpha_));
    float row = margin_;
    QueueRow(row, versionLine_);
    QueueRow(row, prompt_);
    if (scrollOffset_ != 0)
        QueueRow(row, scrollMarker_);
    const size_t first = ChooseFirstPiece(row);
    const float lowestRow = 2.0f * lineHeight_ + margin_;
    float x = 0.0f;
    for (size_t i = first; i < lines_.size(); ++i) {
        if (scrollOffset_ != 0 && row - 0.5f * lineHeight_ <= lowestRow)
            break;
        const LinePiece& piece = lines_[i];
        window_->AddText(0, fontId_, Vector2(x, row), piece.color, piece.text, 0.0f, -1.0f);
        x += piece.width;
        if (piece.endsLine) {
            x = 0.0f;
            row -= lineHeight_;
        }
    }
}

void Console::HandleKey()
{
    u16 code = 0;
    bool isCharacter = false;
    if (!controls_->GetCharacter(code, isCharacter) || isCharacter)
        return;
    switch (code) {
    case kEnter:
        Execute();
        break;
    case kEscape:
        editBox_->SetText(L"");
        break;
    case kUp:
        HistoryUp();
        break;
    case kDown:
        HistoryDown();
        break;
    case kPageUp:
        ++scrollOffset_;
        break;
    case kPageDown:
        if (scrollOffset_ > 0)
            --scrollOffset_;
        break;
    case kTab:
        Complete();
        break;
    default:
        break;
    }
}

void Console::Execute()
{
    std::wstring text = editBox_->GetText();
    if (text.empty() || text == L"\\")
        return;
    editBox_->SetText(L"");
    std::string name;
    const i32 result = config_->ExecuteLine(ToString(text), &name);
    if (result == Config::kEmptyLine)
        return;
    if (text.front() != L'\\')
        text.insert(text.begin(), L'\\');
    history_.push_back(text);
    historyIndex_ = static_cast<i32>(history_.size());
    AddText(kBlue, prompt_ + text + L"\n");
    Answer(result, name);
}

void Console::Answer(i32 result, const std::string& name)
{
    const std::wstring wideName = ToWString(name);
    const bool isSay = name == kSayName;
    switch (result) {
    case Config::kDone:
        if (isSay) {
            AddText(kWhite, displayName_ + L": \"");
            AddText(kGreen, ToWString(config_->GetValue(name)));
            AddText(kWhite, L"\"\n");
        }
        break;
    case Config::kMissingValue:
        if (!isSay) {
            AddText(kWhite, L"\"" + wideName + L"\" is \"" + ToWString(config_->GetValue(name)) +
                                L"\", default is \"" + ToWString(config_->GetDefaultValue(name)) + L"\"\n");
        }
        break;
    case Config::kReadOnly:
        AddText(kWhite, L"\"" + wideName + L"\" is read only\n");
        break;
    case Config::kUnknownName:
        AddText(kWhite, L"Unknown command \"" + wideName + L"\"\n");
        break;
    default:
        break;
    }
}

void Console::HistoryUp()
{
    if (historyIndex_ <= 0)
        return;
    --historyIndex_;
    editBox_->SetText(history_[historyIndex_]);
}

// Past the newest line Down leaves an empty input line, also when the line
// being typed was not taken from the history.
void Console::HistoryDown()
{
    const auto size = static_cast<i32>(history_.size());
    if (historyIndex_ < size)
        ++historyIndex_;
    editBox_->SetText(historyIndex_ < size ? history_[historyIndex_] : L"");
}

void Console::Complete()
{
    std::wstring text = editBox_->GetText();
    if (text.empty())
        return;
    text = ToLowerW(text);
    if (text.front() != L'\\')
        text.insert(text.begin(), L'\\');
    std::vector<std::string> names;
    config_->GetVariableNames(names);
    std::vector<std::wstring> candidates;
    for (const std::string& name : names) {
        std::wstring candidate = L"\\" + ToWString(name);
        if (candidate.starts_with(text))
            candidates.push_back(std::move(candidate));
    }
    if (candidates.size() == 1) {
        text = candidates.front() + L" ";
    } else if (candidates.size() > 1) {
        AddText(kBlue, text + L"\n");
        for (const std::wstring& candidate : candidates)
            AddText(kWhite, L"    " + candidate + L"\n");
        text = CommonBeginning(candidates);
    }
    editBox_->SetText(text);
}

} // namespace Halvard
