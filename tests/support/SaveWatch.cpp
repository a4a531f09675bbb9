#include "tests/support/SaveWatch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>

namespace Testing {

SaveWatch::SaveWatch(const std::vector<std::filesystem::path>& folders)
    : descriptor_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
{
    if (descriptor_ < 0)
        throw std::runtime_error("inotify_init1 failed");
    for (const std::filesystem::path& folder : folders) {
        // The writes are watched too, though only the renames are reported:
        // the system merges an event into an identical one still unread, so
        // two saves of one file in a row would otherwise show as one.
        if (inotify_add_watch(descriptor_, folder.c_str(), IN_CLOSE_WRITE | IN_MOVED_TO) < 0) {
            close(descriptor_);
            throw std::runtime_error("cannot watch " + folder.string());
        }
    }
}

SaveWatch::~SaveWatch() { close(descriptor_); }

// One watcher queues the events of all its folders in the order they
// happened.
std::vector<std::string> SaveWatch::Take()
{
    std::vector<std::string> names;
    alignas(inotify_event) char buffer[16 * 1024];
    for (;;) {
        const ssize_t length = read(descriptor_, buffer, sizeof(buffer));
        if (length <= 0)
            return names;
        for (ssize_t at = 0; at < length;) {
            inotify_event event;
            std::memcpy(&event, buffer + at, sizeof(event));
            if ((event.mask & IN_MOVED_TO) != 0 && event.len > 0)
                names.emplace_back(buffer + at + sizeof(event));
            at += static_cast<ssize_t>(sizeof(event) + event.len);
        }
    }
}

} // namespace Testing
