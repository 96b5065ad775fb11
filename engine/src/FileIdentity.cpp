#include "FileIdentity.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace cleavage
{
FileIdentity IdentityOf(const std::string& path)
{
    FileIdentity identity;
#ifdef _WIN32
    // No access is asked for, and every sharing allowed: a file another program holds
    // open still answers.
    const HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return identity;
    BY_HANDLE_FILE_INFORMATION information;
    if (GetFileInformationByHandle(file, &information))
    {
        identity.exists = true;
        identity.volume = information.dwVolumeSerialNumber;
        identity.file = (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
    }
    CloseHandle(file);
#else
    struct stat status;
    if (stat(path.c_str(), &status) == 0)
    {
        identity.exists = true;
        identity.volume = static_cast<std::uint64_t>(status.st_dev);
        identity.file = static_cast<std::uint64_t>(status.st_ino);
    }
#endif
    return identity;
}
}
