#include "platform/video/GLTextureUnits.h"

#include "platform/video/GLTextureSurface.h"
#include "platform/video/VideoTypes.h"

namespace Platform {

namespace {

GLint Source(uint32_t argument)
{
    switch (static_cast<TextureArgument>(argument)) {
    case TextureArgument::Texture:
        return GL_TEXTURE;
    case TextureArgument::Diffuse:
        return GL_PRIMARY_COLOR;
    case TextureArgument::Current:
        break;
    }
    return GL_PREVIOUS;
}

// One half of a combiner stage: the colour or the alpha part.
void SendCombiner(GLenum combine, GLenum source0, GLenum source1, uint32_t operation, uint32_t argument1,
                  uint32_t argument2)
{
    switch (static_cast<TextureOperation>(operation)) {
    case TextureOperation::Modulate:
        glTexEnvi(GL_TEXTURE_ENV, combine, GL_MODULATE);
        glTexEnvi(GL_TEXTURE_ENV, source0, Source(argument1));
        glTexEnvi(GL_TEXTURE_ENV, source1, Source(argument2));
        break;
    case TextureOperation::SelectArgument1:
        glTexEnvi(GL_TEXTURE_ENV, combine, GL_REPLACE);
        glTexEnvi(GL_TEXTURE_ENV, source0, Source(argument1));
        break;
    case TextureOperation::SelectArgument2:
        glTexEnvi(GL_TEXTURE_ENV, combine, GL_REPLACE);
        glTexEnvi(GL_TEXTURE_ENV, source0, Source(argument2));
        break;
    case TextureOperation::Disable:
        glTexEnvi(GL_TEXTURE_ENV, combine, GL_REPLACE);
        glTexEnvi(GL_TEXTURE_ENV, source0, GL_PREVIOUS);
        break;
    }
}

} // namespace

// What the units are taken to hold is sent once, so that a context that
// served another device before holds it too.
GLTextureUnits::GLTextureUnits(uint32_t count) : units_(count)
{
    for (uint32_t unit = 0; unit < count; ++unit) {
        glActiveTexture(GL_TEXTURE0 + unit);
        glDisable(GL_TEXTURE_2D);
        glMatrixMode(GL_TEXTURE);
        glLoadIdentity();
        glClientActiveTexture(GL_TEXTURE0 + unit);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    glMatrixMode(GL_MODELVIEW);
    glActiveTexture(GL_TEXTURE0);
    glClientActiveTexture(GL_TEXTURE0);
}

void GLTextureUnits::Select(uint32_t unit)
{
    if (active_ != unit) {
        glActiveTexture(GL_TEXTURE0 + unit);
        active_ = unit;
    }
}

void GLTextureUnits::SelectClient(uint32_t unit)
{
    if (clientActive_ != unit) {
        glClientActiveTexture(GL_TEXTURE0 + unit);
        clientActive_ = unit;
    }
}

// A texture made where a freed one lay has no GL name yet, and a freed name
// is unbound by GL, so the pointer and the name together say what is bound.
void GLTextureUnits::Use(uint32_t unit, GLTextureSurface& texture)
{
    Unit& state = units_[unit];
    if (!state.enabled) {
        Select(unit);
        glEnable(GL_TEXTURE_2D);
        state.enabled = true;
    }
    if (state.texture != &texture || state.name != texture.Name() || texture.Name() == 0 || texture.HasChanges()) {
        Select(unit);
        texture.Bind();
        state.texture = &texture;
        state.name = texture.Name();
    }
}

void GLTextureUnits::SetCombiner(uint32_t unit, const Combiner& combiner)
{
    Unit& state = units_[unit];
    if (state.combinerSent && state.combiner == combiner)
        return;
    Select(unit);
    if (!state.combinerSent)
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
    SendCombiner(GL_COMBINE_RGB, GL_SRC0_RGB, GL_SRC1_RGB, combiner.colorOperation, combiner.colorArgument1,
                 combiner.colorArgument2);
    SendCombiner(GL_COMBINE_ALPHA, GL_SRC0_ALPHA, GL_SRC1_ALPHA, combiner.alphaOperation, combiner.alphaArgument1,
                 combiner.alphaArgument2);
    state.combiner = combiner;
    state.combinerSent = true;
}

void GLTextureUnits::SetMatrix(uint32_t unit, const Matrix* matrix)
{
    Unit& state = units_[unit];
    if (matrix == nullptr ? state.identity : (!state.identity && state.matrix == *matrix))
        return;
    Select(unit);
    glMatrixMode(GL_TEXTURE);
    if (matrix == nullptr)
        glLoadIdentity();
    else
        glLoadMatrixf(matrix->data());
    glMatrixMode(GL_MODELVIEW);
    state.identity = matrix == nullptr;
    if (matrix != nullptr)
        state.matrix = *matrix;
}

void GLTextureUnits::PointCoordinates(uint32_t unit, uint64_t arrays, GLsizei stride, const void* pointer)
{
    Unit& state = units_[unit];
    if (state.coordinates && state.arrays == arrays)
        return;
    SelectClient(unit);
    if (!state.coordinates)
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, stride, pointer);
    state.coordinates = true;
    state.arrays = arrays;
}

void GLTextureUnits::DisableFrom(uint32_t unit)
{
    for (uint32_t index = unit; index < units_.size(); ++index) {
        Unit& state = units_[index];
        if (state.enabled) {
            Select(index);
            glDisable(GL_TEXTURE_2D);
            state.enabled = false;
        }
        if (state.coordinates) {
            SelectClient(index);
            glDisableClientState(GL_TEXTURE_COORD_ARRAY);
            state.coordinates = false;
        }
    }
}

} // namespace Platform
