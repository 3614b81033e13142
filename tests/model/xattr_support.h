#pragma once

// Setting real extended attributes in test folders. Values above about 4 KiB
// do not fit on ext4, so tests of large values put their folder on tmpfs.

#include "support/temp_dir.h"

#include <cstdlib>
#include <memory>
#include <string>

#include <gtest/gtest.h>
#include <sys/xattr.h>

namespace files::model::testing {

inline void set_attribute(std::string const& path, char const* name, std::string const& value)
{
    ASSERT_EQ(lsetxattr(path.c_str(), name, value.data(), value.size(), 0), 0)
        << "setting " << name << " (" << value.size() << " bytes) on " << path;
}

// A TempDir on /dev/shm, whose tmpfs keeps attribute values up to 64 KiB.
inline std::unique_ptr<test_support::TempDir> temp_dir_for_large_attributes()
{
    char const* saved = std::getenv("TMPDIR");
    std::string const previous = saved ? saved : "";
    setenv("TMPDIR", "/dev/shm", 1);
    auto dir = std::make_unique<test_support::TempDir>();
    if (saved)
        setenv("TMPDIR", previous.c_str(), 1);
    else
        unsetenv("TMPDIR");
    return dir;
}

}
