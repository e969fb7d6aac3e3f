// Files: existence and attributes, opening for reading, byte-stream reads, closing.
#include "HandleTable.h"
#include "win32/Kernel.h"

#include <sys/stat.h>

#include <cstdio>
#include <memory>

namespace platform {

namespace {

constexpr DWORD kWriteAccess = 0x40000000; // GENERIC_WRITE: this layer only reads

struct OpenFile {
    std::FILE* Stream = nullptr;
    ~OpenFile() {
        if (Stream) std::fclose(Stream);
    }
};

// The open files, made on first use and never destroyed (no exit-order trouble).
HandleTable<OpenFile>& Files() {
    static HandleTable<OpenFile>* table = new HandleTable<OpenFile>(HandleKind::File);
    return *table;
}

} // namespace

} // namespace platform

using namespace platform;

// FILE_ATTRIBUTE_DIRECTORY for a folder, FILE_ATTRIBUTE_NORMAL for anything else there.
DWORD GetFileAttributesA(LPCSTR name) {
    struct stat info {};
    if (!name || ::stat(name, &info) != 0) return INVALID_FILE_ATTRIBUTES;
    return S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
}

// An existing name that is not a folder.
BOOL FileExistsA(LPCSTR name) {
    const DWORD attributes = GetFileAttributesA(name);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Opens an existing file (not a folder) for reading.
HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD, LPVOID, DWORD creation, DWORD, HANDLE) {
    if (!name || (access & GENERIC_READ) == 0 || (access & kWriteAccess) != 0 ||
        creation != OPEN_EXISTING || !FileExistsA(name))
        return INVALID_HANDLE_VALUE;
    auto file = std::make_unique<OpenFile>();
    file->Stream = std::fopen(name, "rb");
    if (!file->Stream) return INVALID_HANDLE_VALUE;
    const HANDLE handle = Files().Add(std::move(file));
    return handle ? handle : INVALID_HANDLE_VALUE;
}

// Reads up to Count bytes; at the end of the file fewer (or none) arrive and it still succeeds.
BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD count, DWORD* bytesRead, LPVOID) {
    if (bytesRead) *bytesRead = 0;
    OpenFile* open = Files().Get(file);
    if (!open || (!buffer && count > 0)) return FALSE;
    const std::size_t got = count == 0 ? 0 : std::fread(buffer, 1, count, open->Stream);
    if (bytesRead) *bytesRead = static_cast<DWORD>(got);
    return std::ferror(open->Stream) ? FALSE : TRUE;
}

// Closes a file opened with CreateFileA.
BOOL CloseHandle(HANDLE object) {
    return Files().Remove(object) ? TRUE : FALSE;
}

// Files still open.
std::size_t OpenFileCount() {
    return Files().LiveCount();
}
