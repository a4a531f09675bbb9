#include "engine/gui/GUIFont.h"

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/LittleEndian.h"
#include "engine/core/MessageManager.h"
#include "engine/core/PathUtils.h"
#include "engine/core/VersionedHeader.h"
#include "engine/gui/GUITextMeasure.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/VertexBuffer.h"

#include <algorithm>
#include <cmath>
#include <cwctype>
#include <vector>

namespace Halvard {

namespace {

constexpr u32 kFileVersion = 201;
constexpr VersionedHeader::Format kFormat{"HVFNT", kFileVersion, kFileVersion};
constexpr u32 kGlyphRecordSize = 22;
// The batch's vertex layout: nine floats, the colour packed among them.
constexpr u32 kBatchFormat = 2395177;
constexpr u32 kQuadVertices = 4;
constexpr u32 kQuadIndices = 6;

Glyph DecodeGlyph(const u8* record)
{
    Glyph glyph;
    glyph.u = ReadLittleEndianFloat(record + 2);
    glyph.v = ReadLittleEndianFloat(record + 6);
    glyph.uSize = ReadLittleEndianFloat(record + 10);
    glyph.vSize = ReadLittleEndianFloat(record + 14);
    glyph.width = ReadLittleEndianFloat(record + 18);
    return glyph;
}

std::vector<u32> QuadIndices()
{
    std::vector<u32> indices;
    indices.reserve(GUIFont::kMaxQuads * kQuadIndices);
    for (u32 q = 0; q < GUIFont::kMaxQuads; ++q) {
        const u32 first = q * kQuadVertices;
        for (u32 corner : {0u, 1u, 2u, 2u, 1u, 3u})
            indices.push_back(first + corner);
    }
    return indices;
}

} // namespace

GUIFont::GUIFont(const GUIFontServices& services, const ShaderDescriptor& shader, const std::string& path)
    : services_(services)
{
    CreateModel(shader);
    try {
        Load(path);
    } catch (const FileError& error) {
        if (services_.messages != nullptr)
            services_.messages->LogError(error.GetText());
    }
}

GUIFont::GUIFont(const GUIFont* source)
    : services_(source->services_), source_(source), glyphs_(source->glyphs_), size_(source->size_),
      space_(source->space_), shift_(source->shift_), virtualSize_(source->virtualSize_),
      maxGlyphWidth_(source->maxGlyphWidth_), monospace_(source->monospace_)
{
    if (source->model_ == nullptr)
        return;
    model_ = services_.models->CopyModel(*source->model_, nullptr, 0);
    model_->SetFlags(Model::kVisible);
    model_->GetIndexBuffer().SetIndexCount(0);
    SetDepth(kDepth);
}

GUIFont::~GUIFont()
{
    if (model_ == nullptr)
        return;
    if (vertices_ != nullptr)
        model_->GetVertexBuffer().Unlock();
    services_.models->DestroyModel(model_);
}

void GUIFont::CreateModel(const ShaderDescriptor& shader)
{
    if (services_.models == nullptr)
        return;
    model_ = services_.models->CreateModel(kBatchFormat, kMaxQuads * kQuadVertices, kMaxQuads * kQuadIndices, 1,
                                           &shader, services_.camera);
    model_->SetName("font_model");
    const std::vector<u32> indices = QuadIndices();
    model_->GetIndexBuffer().SetIndices(0, static_cast<u32>(indices.size()), indices.data());
    model_->GetIndexBuffer().SetIndexCount(0);
    SetDepth(kDepth);
}

// The glyph count comes from the file and is never trusted: records are
// read one at a time, and a count the file cannot hold ends in the file's
// own "Failed to read" error with the glyphs read so far kept.
void GUIFont::Load(const std::string& path)
{
    const std::unique_ptr<FileBinary> file =
        services_.files->OpenFileBinary(MakeDataPath(path), FileAccess::kRead, FileLoading::kWhole);
    const std::string quoted = "\"" + path + "\"";
    const VersionedHeader header = VersionedHeader::Read(*file);
    header.Require(kFormat, file->GetSize(), "Incorrect " + quoted + " file format",
                   "Incorrect " + quoted + " format version, current is " + std::to_string(kFileVersion));
    const u32 count = file->ReadUInt();
    for (u32 i = 0; i < count; ++i) {
        u8 record[kGlyphRecordSize];
        file->Read(record, kGlyphRecordSize);
        AddGlyph(ReadLittleEndian16(record), DecodeGlyph(record));
    }
}

void GUIFont::AddGlyph(u16 character, const Glyph& glyph)
{
    if (glyphs_.emplace(character, glyph).second)
        maxGlyphWidth_ = std::max(maxGlyphWidth_, glyph.width);
}

bool GUIFont::HasGlyph(u16 character) const { return glyphs_.count(character) != 0; }

const Glyph* GUIFont::FindGlyph(wchar_t character) const
{
    if (character < 0 || character > 0xFFFF)
        return nullptr;
    const auto found = glyphs_.find(static_cast<u16>(character));
    return found == glyphs_.end() ? nullptr : &found->second;
}

void GUIFont::AddCaseGlyphs(bool lower)
{
    const std::map<u16, Glyph> present = glyphs_;
    for (const auto& [character, glyph] : present) {
        const auto wide = static_cast<wint_t>(character);
        const wint_t other = lower ? std::towlower(wide) : std::towupper(wide);
        if (other != wide && other <= 0xFFFF)
            glyphs_.emplace(static_cast<u16>(other), glyph);
    }
}

void GUIFont::AddLowerCaseGlyphs() { AddCaseGlyphs(true); }

void GUIFont::AddUpperCaseGlyphs() { AddCaseGlyphs(false); }

void GUIFont::SetDepth(float depth)
{
    depth_ = depth;
    if (model_ != nullptr)
        model_->depth = depth;
}

bool GUIFont::IsBlank(wchar_t character)
{
    return character == L'\n' || std::iswspace(static_cast<wint_t>(character));
}

float GUIFont::Advance(const Glyph* glyph, float size) const
{
    if (glyph == nullptr)
        return size * space_;
    return size * glyph->width * shift_;
}

void GUIFont::AddGlyphQuad(const Vector2& position, float angle, u32 packedColor, wchar_t character)
{
    if (quadCount_ == kMaxQuads || model_ == nullptr || IsBlank(character))
        return;
    const Glyph* glyph = FindGlyph(character);
    if (glyph == nullptr)
        return;
    if (vertices_ == nullptr)
        vertices_ = model_->GetVertexBuffer().Lock<ColoredVertex>(0, kMaxQuads * kQuadVertices);
    const float h = size_;
    const float w = size_ * glyph->width;
    const float corners[4][4] = {{0.0f, h, glyph->u, glyph->v + glyph->vSize},
                                 {0.0f, 0.0f, glyph->u, glyph->v},
                                 {w, h, glyph->u + glyph->uSize, glyph->v + glyph->vSize},
                                 {w, 0.0f, glyph->u + glyph->uSize, glyph->v}};
    const float cosine = std::cos(angle);
    const float sine = std::sin(angle);
    ColoredVertex* quad = vertices_ + static_cast<std::size_t>(quadCount_) * kQuadVertices;
    for (u32 i = 0; i < kQuadVertices; ++i) {
        const float x = corners[i][0];
        const float y = corners[i][1];
        quad[i].x = x * cosine - y * sine + position.x;
        quad[i].y = y * cosine + x * sine + position.y;
        quad[i].z = 0.0f;
        quad[i].color = packedColor;
        quad[i].u = corners[i][2];
        quad[i].v = corners[i][3];
    }
    ++quadCount_;
    model_->GetIndexBuffer().SetIndexCount(quadCount_ * kQuadIndices);
}

void GUIFont::Print(const Vector2& origin, float angle, const Vector4& color, const std::wstring& text)
{
    if (source_ != nullptr) {
        size_ = source_->size_;
        space_ = source_->space_;
        shift_ = source_->shift_;
        virtualSize_ = source_->virtualSize_;
    }
    if (model_ == nullptr)
        return;
    const u32 packed = model_->GetVertexBuffer().PackColor(color.x, color.y, color.z, color.w);
    const Vector2 along(std::cos(angle), std::sin(angle));
    float pen = 0.0f;
    for (wchar_t character : text) {
        const Glyph* glyph = FindGlyph(character);
        if (!monospace_) {
            AddGlyphQuad(origin + along * pen, angle, packed, character);
            pen += Advance(glyph, size_);
        } else if (glyph != nullptr) {
            const float centring = (maxGlyphWidth_ - glyph->width) * size_ * shift_ * 0.5f;
            pen += centring;
            AddGlyphQuad(origin + along * pen, angle, packed, character);
            pen += Advance(glyph, size_) + centring;
        } else {
            pen += size_ * maxGlyphWidth_ * shift_;
        }
    }
}

Vector2 GUIFont::MeasureText(const std::wstring& text, float angle, float size) const
{
    GUITextMeasure measure(*this, angle, size);
    for (wchar_t character : text)
        measure.Add(character);
    return measure.GetExtent();
}

void GUIFont::EndFrame()
{
    if (model_ != nullptr && quadCount_ == 0)
        model_->GetIndexBuffer().SetIndexCount(0);
    quadCount_ = 0;
    if (vertices_ != nullptr) {
        model_->GetVertexBuffer().Unlock();
        vertices_ = nullptr;
    }
}

} // namespace Halvard
