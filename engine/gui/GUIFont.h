#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"

#include <map>
#include <string>

namespace Halvard {

class Camera;
class FileManager;
class MessageManager;
class Model;
class ModelManager;
class ShaderDescriptor;
class ShaderManager;
struct ColoredVertex;

// One character's place in the font texture and its width in units of the
// font's height.
struct Glyph {
    float u = 0.0f;
    float v = 0.0f;
    float uSize = 0.0f;
    float vSize = 0.0f;
    float width = 0.0f;
};

// What a font borrows; all of it must outlive the font. Without a model
// manager a font measures but draws nothing.
struct GUIFontServices {
    MessageManager* messages = nullptr;
    FileManager* files = nullptr;
    ShaderManager* shaders = nullptr;
    ModelManager* models = nullptr;
    // The GUI camera.
    Camera* camera = nullptr;
};

// A bitmap font read from an "HVFNT" file: a table from 16-bit characters
// to glyph rectangles in one texture, and one model that holds up to 1024
// quads a frame, filled in place through its locked vertex buffer. Texts
// are one line; a newline has no glyph and advances like any character
// without one. A depth copy shares its source's glyphs and takes the
// source's sizes whenever it prints, so a size set on the source for one
// text applies to the copy. Main thread only (it makes a model).
class GUIFont {
public:
    static constexpr u32 kMaxQuads = 1024;
    static constexpr float kDepth = -9.0f;

    // Reads the file under the data folder. A file that cannot be opened or
    // read is logged; the font keeps the glyphs read before the fault and
    // draws nothing for the others.
    GUIFont(const GUIFontServices& services, const ShaderDescriptor& shader, const std::string& path);
    // A depth copy of the source, which must outlive it: a model of its own
    // at the font depth, no quads yet.
    explicit GUIFont(const GUIFont* source);
    GUIFont(const GUIFont&) = delete;
    GUIFont& operator=(const GUIFont&) = delete;
    // Destroys the model through the model manager.
    virtual ~GUIFont();

    bool HasGlyph(u16 character) const;
    // Characters whose other case has no glyph lend it theirs.
    void AddLowerCaseGlyphs();
    void AddUpperCaseGlyphs();

    // Puts the text's quads into the model, the pen starting at origin and
    // running along the angle (radians). Quads beyond kMaxQuads in a frame
    // are dropped.
    void Print(const Vector2& origin, float angle, const Vector4& color, const std::wstring& text);
    // The extent (width, height) of the text's bounding box, laid out with
    // the given size, or the font's own when the size is negative.
    Vector2 MeasureText(const std::wstring& text, float angle, float size) const;
    // Ends the frame's batch: a font that got no quad draws nothing, the
    // next frame starts again at quad 0.
    void EndFrame();

    float GetDepth() const { return depth_; }
    void SetDepth(float depth);
    const GUIFont* GetSource() const { return source_; }
    Model* GetModel() const { return model_; }
    u32 GetQuadCount() const { return quadCount_; }
    u32 GetGlyphCount() const { return static_cast<u32>(glyphs_.size()); }
    const Glyph* FindGlyph(wchar_t character) const;
    // How far the pen moves past a character of the glyph at the size, when
    // the font is not monospace; a character without one takes the space.
    float Advance(const Glyph* glyph, float size) const;
    // A blank draws no glyph, even where the font has one: it is measured
    // as the space.
    static bool IsBlank(wchar_t character);
    float GetMaxGlyphWidth() const { return maxGlyphWidth_; }

    float GetSize() const { return size_; }
    void SetSize(float size) { size_ = size; }
    float GetSpace() const { return space_; }
    void SetSpace(float space) { space_ = space; }
    float GetShift() const { return shift_; }
    void SetShift(float shift) { shift_ = shift; }
    float GetVirtualSize() const { return virtualSize_; }
    void SetVirtualSize(float virtualSize) { virtualSize_ = virtualSize; }
    bool IsMonospace() const { return monospace_; }
    void SetMonospace(bool monospace) { monospace_ = monospace; }

private:
    void CreateModel(const ShaderDescriptor& shader);
    void Load(const std::string& path);
    void AddGlyph(u16 character, const Glyph& glyph);
    void AddCaseGlyphs(bool lower);
    void AddGlyphQuad(const Vector2& position, float angle, u32 packedColor, wchar_t character);

    GUIFontServices services_;
    const GUIFont* source_ = nullptr;
    std::map<u16, Glyph> glyphs_;
    Model* model_ = nullptr;
    ColoredVertex* vertices_ = nullptr;
    float depth_ = kDepth;
    float size_ = 1.0f;
    float space_ = 1.0f;
    float shift_ = 1.0f;
    float virtualSize_ = 1.0f;
    float maxGlyphWidth_ = 0.0f;
    bool monospace_ = false;
    u32 quadCount_ = 0;
};

} // namespace Halvard
