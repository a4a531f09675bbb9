#include "engine/sound/SoundFileReader.h"

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/PathUtils.h"

namespace Halvard {

SoundFileReader::SoundFileReader(MessageManager* messages, FileManager* files, const std::string& name)
    : messages_(messages), files_(files), name_(name), dataPath_(MakeDataPath(name)),
      file_(files->OpenFileBinary(dataPath_, FileAccess::kRead))
{
}

SoundFileReader::SoundFileReader(MessageManager* messages, FileManager* files) : messages_(messages), files_(files)
{
}

SoundFileReader::~SoundFileReader() = default;

std::string SoundFileReader::LoadMessage(const std::string& name, const std::string& ending)
{
    return "Failed to load \"" + name + "\"" + ending;
}

void SoundFileReader::Fail(const std::string& ending)
{
    file_.reset();
    throw FileError(LoadMessage(dataPath_, ending));
}

} // namespace Halvard
