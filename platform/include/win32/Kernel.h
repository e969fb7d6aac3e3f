// Kernel services: tick count, movable global memory, file existence and byte-stream reading.
#pragma once

#include "win32/Types.h"

#include <cstddef>

// Milliseconds since an arbitrary start, wrapping at 2^32.
DWORD GetTickCount();

// ---- Movable global memory -------------------------------------------------------------
constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;

// A block of Bytes bytes; 0 when it cannot be had or is above 1 GiB. Every block lives
// behind a handle (GMEM_FIXED too); a 0-byte block is valid but locks to null.
HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes);
// Resizes a block (keeping its contents; new bytes zeroed with GMEM_ZEROINIT); 0 on
// failure, the old block stays valid. A locked block is refused, so no address goes stale.
HGLOBAL GlobalReAlloc(HGLOBAL memory, std::size_t bytes, UINT flags);
// The block's address (null for a bad handle); paired with GlobalUnlock.
LPVOID GlobalLock(HGLOBAL memory);
// As on the platform: nonzero while locks remain, FALSE once unlocked or for a bad handle.
BOOL GlobalUnlock(HGLOBAL memory);
// Frees a block: returns 0 on success, the handle itself on failure.
HGLOBAL GlobalFree(HGLOBAL memory);
// The block's size in bytes, 0 for a bad handle.
std::size_t GlobalSize(HGLOBAL memory);

// ---- Files ------------------------------------------------------------------------------
constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr DWORD GENERIC_READ = 0x80000000;
constexpr DWORD FILE_SHARE_READ = 0x1;
constexpr DWORD OPEN_EXISTING = 3;
constexpr HANDLE INVALID_HANDLE_VALUE = 0xFFFFFFFF;

// Attributes of a file or folder, INVALID_FILE_ATTRIBUTES when the name denotes nothing.
DWORD GetFileAttributesA(LPCSTR name);
// True when Name denotes an existing file; false for a folder or nothing.
BOOL FileExistsA(LPCSTR name);
// Opens an existing file (never a folder) for reading only (OPEN_EXISTING, no write
// access); INVALID_HANDLE_VALUE on failure.
HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD share, LPVOID security, DWORD creation,
                   DWORD flags, HANDLE templateFile);
// Reads up to Count bytes; *BytesRead tells how many came (fewer at the end of the file,
// still TRUE). FALSE for a bad handle or a read error.
BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD count, DWORD* bytesRead, LPVOID overlapped);
// Closes a file from CreateFileA; FALSE for anything else.
BOOL CloseHandle(HANDLE object);
// How many files opened with CreateFileA are still open (for leak checks in tests).
std::size_t OpenFileCount();
