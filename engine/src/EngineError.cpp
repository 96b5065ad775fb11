#include "EngineError.h"

#include <cerrno>
#include <cstring>
#ifdef _WIN32
#include <windows.h>
#endif

namespace cleavage
{
std::string JoinNames(const std::vector<std::string>& names)
{
    std::string joined;
    for (const std::string& name : names)
        joined += (joined.empty() ? "" : ", ") + name;
    return joined;
}

std::string Printable(const std::string& text)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string shown;
    shown.reserve(text.size());
    for (const char ch : text)
    {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte < 0x20 || byte == 0x7F)
            shown.append({'\\', 'x', kHex[byte >> 4], kHex[byte & 0xF]});
        else
            shown += ch;
    }
    return shown;
}

std::string SystemReason()
{
    const int error = errno;
#ifdef _WIN32
    // The C runtime's file calls fail through the system's, which left its own code.
    const DWORD code = GetLastError();
    char* text = nullptr;
    if (code != 0 && FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                        FORMAT_MESSAGE_IGNORE_INSERTS,
                                    nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr) != 0)
    {
        std::string reason(text);
        LocalFree(text);
        // The system's text ends with a full stop and a line break; the message goes on.
        while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == '.'))
            reason.pop_back();
        return reason;
    }
#endif
    return std::strerror(error);
}
}
