#pragma once

#include "engine/core/Types.h"

#include <string>

namespace Halvard {
class FileManager;
class ShaderDescriptor;
} // namespace Halvard

namespace GameTools {

// What a set of files takes once loaded, counted before any of them is
// read beyond a picture's header: a model or particle system costs about
// its file's bytes, a picture what its pixels decode to, and no less than
// its file (its loader reads it whole) nor than the texture it binds. The
// moment the total passes the bound, the count throws FileError with the
// refusal it was made with: an animation of thousands of frames is not
// walked to its end first. Files that are not there cost nothing.
class LoadCost {
public:
    // What a picture costs at least: each binds a texture of its own, which
    // takes the device a page whatever its pixels. It keeps the walk over an
    // animation's frames short too: thousands of empty or one-pixel frames
    // reach a bound of 32 MiB after 8192 pictures, not after millions of
    // lookups.
    static constexpr Halvard::u64 kLeastPictureBytes = 4096;

    // The refusal names the set and its verb, then the bound, then the file
    // when one is given: "Incorrect " + what + " more than " + bound +
    // " bytes once loaded in \"" + file + "\"" ("fonts: their pictures
    // take"), so that every reader words it alike and states the bound it
    // checks.
    LoadCost(Halvard::FileManager* files, Halvard::u64 bound, const std::string& what, const std::string& file = {});

    // Every picture of every frame the shader will load, found the way it
    // will find them.
    void AddShader(const Halvard::ShaderDescriptor& shader);
    // A model's or particle system's file, a path below the data folder, and
    // the pictures of the shader file it draws with (the ".srf" beside it,
    // read by the same reader; one that cannot be read loads no picture). A
    // file that is not there costs nothing, nor does its shader file.
    void AddModelFile(const std::string& file);

private:
    bool AddFile(const std::string& path, bool picture);
    void Add(Halvard::u64 bytes);

    Halvard::FileManager* files_;
    Halvard::u64 bound_;
    std::string refusal_;
    Halvard::u64 total_ = 0;
};

} // namespace GameTools
