// Which file a path names, whatever its spelling ("./sub/../in.fa", a link, another
// letter case on Windows): the device and inode on Linux, the volume serial number and
// file index on Windows.
#pragma once
#include <cstdint>
#include <string>

namespace cleavage
{
struct FileIdentity
{
    bool exists = false;
    std::uint64_t volume = 0;
    std::uint64_t file = 0;

    // Two paths name the same file; a path that names no file is no other path's file.
    bool SameFileAs(const FileIdentity& other) const
    {
        return exists && other.exists && volume == other.volume && file == other.file;
    }
};

// The identity of the file at `path`; `exists` is false when it names none.
FileIdentity IdentityOf(const std::string& path);
}
