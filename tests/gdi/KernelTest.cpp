// Kernel services: movable global memory, files (folders are not files, short reads),
// the tick count.
#include "BmpBuilder.h"
#include "win32/Gdi.h"
#include "win32/Kernel.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

using namespace gditest;

namespace {

TEST(KernelGlobalMemory, ReAllocKeepsContents) {
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 1632);
    ASSERT_NE(block, 0u);
    EXPECT_EQ(GlobalSize(block), 1632u);
    auto* bytes = static_cast<std::uint8_t*>(GlobalLock(block));
    ASSERT_NE(bytes, nullptr);
    for (int i = 0; i < 1632; ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7);
    EXPECT_FALSE(GlobalUnlock(block)) << "FALSE once no lock remains";

    ASSERT_EQ(GlobalReAlloc(block, 3232, GMEM_MOVEABLE | GMEM_ZEROINIT), block);
    EXPECT_EQ(GlobalSize(block), 3232u);
    bytes = static_cast<std::uint8_t*>(GlobalLock(block));
    for (int i = 0; i < 1632; ++i)
        ASSERT_EQ(bytes[i], static_cast<std::uint8_t>(i * 7)) << i;
    for (int i = 1632; i < 3232; ++i)
        ASSERT_EQ(bytes[i], 0) << i;

    // A locked block is not moved: the caller's address must stay good.
    EXPECT_EQ(GlobalReAlloc(block, 64, GMEM_MOVEABLE), 0u);
    EXPECT_EQ(GlobalSize(block), 3232u);
    EXPECT_EQ(bytes[100], static_cast<std::uint8_t>(700));
    EXPECT_FALSE(GlobalUnlock(block));

    ASSERT_EQ(GlobalReAlloc(block, 10, GMEM_MOVEABLE), block);
    bytes = static_cast<std::uint8_t*>(GlobalLock(block));
    EXPECT_EQ(bytes[9], static_cast<std::uint8_t>(63));
    GlobalUnlock(block);
    EXPECT_EQ(GlobalFree(block), 0u);
}

TEST(KernelGlobalMemory, LocksNestAndZeroInitClears) {
    const HGLOBAL block = GlobalAlloc(GHND, 32);
    auto* first = static_cast<std::uint8_t*>(GlobalLock(block));
    auto* second = static_cast<std::uint8_t*>(GlobalLock(block));
    EXPECT_EQ(first, second);
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(first[i], 0);
    EXPECT_TRUE(GlobalUnlock(block)) << "one lock remains";
    EXPECT_FALSE(GlobalUnlock(block));
    EXPECT_FALSE(GlobalUnlock(block)) << "not locked";
    GlobalFree(block);

    const HGLOBAL nothing = GlobalAlloc(GMEM_MOVEABLE, 0);
    ASSERT_NE(nothing, 0u);
    EXPECT_EQ(GlobalLock(nothing), nullptr) << "a 0-byte block has no address";
    EXPECT_EQ(GlobalFree(nothing), 0u);
}

TEST(KernelGlobalMemory, BadHandlesAndAbsurdSizesFail) {
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 16);
    EXPECT_EQ(GlobalAlloc(GMEM_MOVEABLE, std::numeric_limits<std::size_t>::max()), 0u);
    EXPECT_EQ(GlobalAlloc(GMEM_MOVEABLE, (std::size_t{1} << 30) + 1), 0u);
    EXPECT_EQ(GlobalReAlloc(block, std::numeric_limits<std::size_t>::max(), GMEM_MOVEABLE), 0u);
    EXPECT_EQ(GlobalSize(block), 16u) << "the old block stays";
    EXPECT_EQ(GlobalFree(block), 0u);

    const HGLOBAL region = CreateRectRgn(0, 0, 1, 1); // a handle of another kind
    for (const HGLOBAL bad : {block /* stale */, HGLOBAL{0}, region, HGLOBAL{0x0B00FFFF}}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(GlobalLock(bad), nullptr);
        EXPECT_FALSE(GlobalUnlock(bad));
        EXPECT_EQ(GlobalSize(bad), 0u);
        EXPECT_EQ(GlobalReAlloc(bad, 8, GMEM_MOVEABLE), 0u);
        EXPECT_EQ(GlobalFree(bad), bad);
    }
    EXPECT_TRUE(PtInRegion(region, 0, 0)) << "the region was not touched";
    DeleteObject(region);
}

class KernelFiles : public ::testing::Test {
  protected:
    TempFolder folder_{"gdi_kernel_files"};
};

TEST_F(KernelFiles, FolderIsNotAFile) {
    const std::string file = folder_.File("six.bin");
    WriteFile(file, {1, 2, 3, 4, 5, 6});
    EXPECT_EQ(GetFileAttributesA(folder_.Path().c_str()), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(GetFileAttributesA(file.c_str()), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(GetFileAttributesA(folder_.File("none").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(FileExistsA(folder_.Path().c_str()));
    EXPECT_TRUE(FileExistsA(file.c_str()));
    EXPECT_FALSE(FileExistsA(folder_.File("none").c_str()));
    EXPECT_FALSE(FileExistsA(nullptr));
    EXPECT_EQ(CreateFileA(folder_.Path().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, 0),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(CreateFileA(folder_.File("none").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, 0),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(CreateFileA(file.c_str(), GENERIC_READ | 0x40000000, 0, nullptr, OPEN_EXISTING, 0, 0),
              INVALID_HANDLE_VALUE)
        << "read only";
}

TEST_F(KernelFiles, ShortReadDeliversFewerBytes) {
    const std::string name = folder_.File("six.bin");
    WriteFile(name, {1, 2, 3, 4, 5, 6});
    const std::size_t before = OpenFileCount();
    const HANDLE file = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, 0);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(OpenFileCount(), before + 1);
    std::uint8_t buffer[16] = {};
    DWORD got = 99;
    EXPECT_TRUE(ReadFile(file, buffer, 4, &got, nullptr));
    EXPECT_EQ(got, 4u);
    EXPECT_TRUE(ReadFile(file, buffer, 10, &got, nullptr));
    EXPECT_EQ(got, 2u) << "only what is left";
    EXPECT_EQ(buffer[0], 5);
    EXPECT_EQ(buffer[1], 6);
    EXPECT_TRUE(ReadFile(file, buffer, 10, &got, nullptr));
    EXPECT_EQ(got, 0u) << "at the end";
    EXPECT_FALSE(ReadFile(file, nullptr, 10, &got, nullptr));
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_EQ(OpenFileCount(), before);
    EXPECT_FALSE(CloseHandle(file)) << "closed already";
    EXPECT_FALSE(ReadFile(file, buffer, 1, &got, nullptr));
    EXPECT_EQ(got, 0u);
    EXPECT_FALSE(ReadFile(INVALID_HANDLE_VALUE, buffer, 1, &got, nullptr));
    EXPECT_FALSE(CloseHandle(INVALID_HANDLE_VALUE));
}

TEST(KernelTickCount, NeverGoesBackwards) {
    const DWORD first = GetTickCount();
    const DWORD second = GetTickCount();
    // Unsigned difference, so a wrap at 2^32 still reads as forwards.
    EXPECT_LT(static_cast<DWORD>(second - first), 0x80000000u);
}

} // namespace
