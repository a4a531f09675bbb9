#include "tests/support/FilePermissionsHonoured.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace Testing {

namespace {

constexpr std::uint32_t kPassPermissions = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);

struct Capabilities {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
};

bool Get(Capabilities& caps) { return ::syscall(SYS_capget, &caps.header, caps.data) == 0; }

bool Set(Capabilities& caps) { return ::syscall(SYS_capset, &caps.header, caps.data) == 0; }

} // namespace

FilePermissionsHonoured::FilePermissionsHonoured()
{
    Capabilities caps;
    if (!Get(caps) || (caps.data[0].effective & kPassPermissions) == 0)
        return;
    savedEffective_ = caps.data[0].effective;
    caps.data[0].effective &= ~kPassPermissions;
    changed_ = Set(caps);
}

FilePermissionsHonoured::~FilePermissionsHonoured()
{
    if (!changed_)
        return;
    Capabilities caps;
    if (!Get(caps))
        return;
    caps.data[0].effective = savedEffective_;
    Set(caps);
}

} // namespace Testing
