#pragma once

#include "engine/core/Types.h"
#include "engine/render/ShaderDescriptor.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Halvard {
class Engine;
class FileManager;
class MessageManager;
class Model;
class ModelManager;
class ParticleSystem;
class ParticleSystemManager;
class ShaderManager;
class ShaderUser;
class SpriteGroup;
class SpriteGroupManager;
class TextureManager;
} // namespace Halvard

namespace GameTools {

class XMLNode;

// The registry of resource templates by name: models, shader users and
// particle systems read from resource lists, each made once and kept until
// the registry goes. Users copy what they look up and never destroy it. A
// lookup never fails: a missing name is logged and answered with a default
// made with the registry.
//
// Load (and an immediate AddResourcesFile) may run on the loading thread
// while the main thread leaves the registry and the managers' tables alone:
// everything made here is an unregistered template whose textures and
// buffers reach the device on the main thread when first drawn. Everything
// else is main thread only.
class DataKeeper {
public:
    // The language code picks the entries marked with a language; the last
    // argument is not used: the registry never starts a thread of its own.
    DataKeeper(Halvard::Engine* engine, const std::string& language, bool threadedLoad);
    DataKeeper(const DataKeeper&) = delete;
    DataKeeper& operator=(const DataKeeper&) = delete;
    virtual ~DataKeeper();

    // Reads the list now, or queues it for Load. A list that cannot be read,
    // or that asks for more than any list of the game needs, is fatal:
    // logged, then thrown as FatalError, naming the list.
    void AddResourcesFile(const std::string& path, bool immediate);
    // Reads what was queued, on the calling thread; a list is fatal as in
    // AddResourcesFile.
    void Load();
    // Main thread, after Load has returned: what a load must make on screen
    // (windows, anything the GUI manager holds) is made here, never on the
    // loading thread. Nothing by default.
    virtual void FinishLoading() {}

    // Null is ignored. A name already taken is logged and the object is not
    // taken: it stays the caller's. True when the registry took it.
    bool AddModel(const std::string& name, Halvard::Model* model);
    bool AddShaderUser(const std::string& name, Halvard::ShaderUser* user);
    bool AddParticleSystem(const std::string& name, Halvard::ParticleSystem* system);
    // Registers the user under a number of its own.
    void AddAnonymousShaderUser(Halvard::ShaderUser* user);

    // Never null: a missing name is logged and gives the default.
    Halvard::Model* GetModel(const std::string& name) const;
    Halvard::ShaderUser* GetShaderUser(const std::string& name) const;
    Halvard::ParticleSystem* GetParticleSystem(const std::string& name) const;

    // The folder the file names of a list are relative to: the list's folder
    // below the data folder, "ui" for "data\ui\resources_basic.xml".
    static std::string GetListFolder(const std::string& path);
    // Every "%" + counter name + digits + "%" token of the text, for each
    // counter from the outermost loop inwards, becomes the counter's value
    // with at least that many digits (64 at most). Each counter takes one
    // pass over the text.
    static std::string SubstituteCounters(const std::string& text, const std::vector<std::string>& names,
                                          const std::vector<Halvard::u32>& values);

protected:
    // What the files the entries of one list read take once loaded, every
    // file counted for each entry that reads it: about five times the largest
    // shipped list (6.7 MB, nearly all of it 28 uncompressed pictures, which
    // decode to 6.69 MB; the game's objects read 2.9 MB of models). A model
    // costs about its file's size in memory. What a registry loads beside
    // its lists is held to it too.
    static constexpr Halvard::u64 kMostLoadedBytes = 32 * 1024 * 1024;

    // Reads every queued list in order, then makes the queued shader users.
    virtual void LoadResources();
    void LoadResourcesFile(const std::string& path);

    Halvard::Engine* engine_;
    Halvard::MessageManager* messages_;
    Halvard::FileManager* files_;
    Halvard::ShaderManager* shaders_;
    Halvard::TextureManager* textures_;
    Halvard::ModelManager* models_;
    Halvard::SpriteGroupManager* spriteGroups_;
    Halvard::ParticleSystemManager* particleSystems_;
    std::vector<std::string> queuedFiles_;
    std::vector<std::string> queuedShaderUserNames_;
    std::vector<Halvard::ShaderDescriptor> queuedShaderDescriptors_;
    std::string language_;

private:
    struct Counters {
        std::vector<std::string> names;
        std::vector<Halvard::u32> values;
    };
    enum class EntryKind { kModel, kShader, kParticles };
    // What one entry of a list makes, read and checked before anything of
    // the list is made.
    struct Entry {
        Entry(EntryKind madeKind, const std::string& madeName) : kind(madeKind), name(madeName) {}

        EntryKind kind;
        std::string name;
        // The model or particle-system file; a shader's pictures are named
        // in its descriptor.
        std::string file;
        Halvard::u32 modelFlags = 0;
        std::optional<float> speed;
        std::optional<Halvard::ShaderDescriptor> shader;
    };
    // The walk over one list: the group names and counters around the
    // element being read, and what has been read so far.
    struct ListReading {
        std::string folder;
        std::string prefix;
        Counters counters;
        Halvard::u64 elements = 0;
        std::vector<Entry> entries;
    };

    void ReadResources(const XMLNode& node, ListReading& list);
    void ReadLoop(const XMLNode& node, ListReading& list);
    void ReadChildren(const XMLNode& node, ListReading& list);
    void ReadEntry(const XMLNode& node, const std::string& name, ListReading& list);
    Entry ReadModel(const XMLNode& node, const std::string& name, const ListReading& list) const;
    Entry ReadShader(const XMLNode& node, const std::string& name, const ListReading& list) const;
    Entry ReadParticles(const XMLNode& node, const std::string& name, const ListReading& list) const;
    void CheckLoadedBytes(const std::vector<Entry>& entries) const;
    void MakeEntry(const Entry& entry);

    std::unique_ptr<Halvard::Model> defaultModel_;
    std::unique_ptr<Halvard::ParticleSystem> defaultParticleSystem_;
    std::unique_ptr<Halvard::SpriteGroup> defaultSpriteGroup_;
    Halvard::ShaderUser* defaultShaderUser_ = nullptr;
    std::map<std::string, Halvard::ShaderUser*> shaderUsers_;
    std::map<std::string, std::unique_ptr<Halvard::Model>> modelMap_;
    std::map<std::string, std::unique_ptr<Halvard::ParticleSystem>> particleMap_;
};

} // namespace GameTools
