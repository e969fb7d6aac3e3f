// System cursors and icons, and cursors read from .cur/.ico files (sound and broken ones).
#include "WindowTestSupport.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace wintest;

namespace {

// A .cur (type 2) or .ico (type 1) file with one 2 by 2 image of Bpp bits per pixel.
std::vector<std::uint8_t> IconFile(int type, int bpp) {
    std::vector<std::uint8_t> f;
    auto u16 = [&](unsigned v) {
        f.push_back(v & 0xFF);
        f.push_back((v >> 8) & 0xFF);
    };
    auto u32 = [&](unsigned v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    const unsigned colours = bpp <= 8 ? (1u << bpp) : 0;
    const unsigned colourStride = ((2 * bpp + 31) / 32) * 4;
    const unsigned imageBytes = 40 + 4 * colours + colourStride * 2 + 4 * 2;
    u16(0);
    u16(type);
    u16(1);
    f.push_back(2);
    f.push_back(2);
    f.push_back(0);
    f.push_back(0);
    u16(1);
    u16(type == 2 ? 1 : bpp); // hot spot x or planes; hot spot y or depth
    u32(imageBytes);
    u32(22);
    u32(40);
    u32(2);
    u32(4);
    u16(1);
    u16(bpp);
    u32(0);
    u32(0);
    u32(0);
    u32(0);
    u32(0);
    u32(0);
    for (unsigned i = 0; i < colours; ++i)
        u32(i ? 0x00FFFFFF : 0);
    for (unsigned i = 0; i < colourStride * 2; ++i)
        f.push_back(static_cast<std::uint8_t>(0x80 + i));
    for (int i = 0; i < 8; ++i)
        f.push_back(i == 0 ? 0x40 : 0); // one transparent pixel
    return f;
}

class CursorIcon : public OffscreenTest {
  protected:
    void SetUp() override {
        OffscreenTest::SetUp();
        dir = std::filesystem::temp_directory_path() /
              ("cursor_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const std::string path = (dir / name).string();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    std::filesystem::path dir;
};

TEST_F(CursorIcon, SystemCursorsAndIconsWithANullInstance) {
    const LPCSTR cursors[] = {IDC_ARROW,   IDC_IBEAM,    IDC_WAIT,     IDC_CROSS,       IDC_UPARROW,
                              IDC_SIZE,    IDC_SIZENWSE, IDC_SIZENESW, IDC_SIZEWE,      IDC_SIZENS,
                              IDC_SIZEALL, IDC_NO,       IDC_HAND,     IDC_APPSTARTING, IDC_HELP};
    for (LPCSTR id : cursors)
        EXPECT_NE(LoadCursorA(0, id), 0u) << reinterpret_cast<std::uintptr_t>(id);
    EXPECT_EQ(LoadCursorA(0, IDC_ARROW), LoadCursorA(0, IDC_ARROW));
    EXPECT_NE(LoadCursorA(0, IDC_ARROW), LoadCursorA(0, IDC_HAND));
    EXPECT_EQ(LoadCursorA(0, MAKEINTRESOURCEA(1)), 0u);
    EXPECT_EQ(LoadCursorA(GetModuleHandleA(nullptr), IDC_ARROW), 0u); // we carry no resources
    EXPECT_NE(LoadIconA(0, IDI_APPLICATION), 0u);
    EXPECT_EQ(LoadIconA(0, MAKEINTRESOURCEA(5)), 0u);
    const HCURSOR hand = LoadCursorA(0, IDC_HAND);
    SetCursor(hand);
    EXPECT_EQ(SetCursor(LoadCursorA(0, IDC_ARROW)), hand);
}

TEST_F(CursorIcon, FilesLoadAtEveryDepthAndServeAsIcons) {
    for (int type : {1, 2})
        for (int bpp : {1, 4, 8, 24, 32}) {
            const std::string path = Write("image" + std::to_string(type) + "_" +
                                               std::to_string(bpp) + (type == 2 ? ".cur" : ".ico"),
                                           IconFile(type, bpp));
            HCURSOR c = LoadCursorFromFileA(path.c_str());
            EXPECT_NE(c, 0u) << path;
            EXPECT_TRUE(DestroyCursor(c));
        }
    // As a class icon and cursor, on a real window.
    const std::string icon = Write("app.ico", IconFile(1, 32));
    WNDCLASSA wc{};
    wc.lpfnWndProc = RecordingProc;
    wc.hIcon = LoadCursorFromFileA(icon.c_str());
    wc.hCursor = LoadCursorFromFileA(Write("app.cur", IconFile(2, 8)).c_str());
    wc.lpszClassName = "FileIconWindow";
    ASSERT_NE(wc.hIcon, 0u);
    ASSERT_NE(RegisterClassA(&wc), 0);
    HWND w =
        CreateWindowExA(0, "FileIconWindow", "", kWindowedStyle, 0, 0, 100, 100, 0, 0, 0, nullptr);
    EXPECT_NE(w, 0u);
    ASSERT_TRUE(win32test::InjectMouseMotion(w, 5, 5)); // shows the class cursor
    PumpAll();
}

TEST_F(CursorIcon, MissingFoldersAndBrokenFilesGiveNull) {
    EXPECT_EQ(LoadCursorFromFileA((dir / "absent.cur").string().c_str()), 0u);
    EXPECT_EQ(LoadCursorFromFileA(dir.string().c_str()), 0u);
    EXPECT_EQ(LoadCursorFromFileA(""), 0u);
    EXPECT_EQ(LoadCursorFromFileA(nullptr), 0u);
    const std::vector<std::uint8_t> good = IconFile(2, 32);
    struct Case {
        const char* Name;
        std::vector<std::uint8_t> Bytes;
    };
    std::vector<Case> cases;
    for (std::size_t cut : {0u, 5u, 21u, 30u, 70u})
        cases.push_back({"truncated", std::vector<std::uint8_t>(good.begin(), good.begin() + cut)});
    cases.push_back({"truncated mask", std::vector<std::uint8_t>(good.begin(), good.end() - 1)});
    auto patched = [&](std::size_t at, std::uint8_t value) {
        std::vector<std::uint8_t> b = good;
        b[at] = value;
        return b;
    };
    cases.push_back({"wrong type", patched(2, 3)});
    cases.push_back({"no images", patched(4, 0)});
    cases.push_back({"huge count", patched(5, 0xFF)});
    cases.push_back({"offset beyond the end", patched(21, 0x7F)});
    cases.push_back({"size beyond the end", patched(17, 0x7F)});
    cases.push_back({"huge width", patched(22 + 7, 0x7F)});
    cases.push_back({"negative height", patched(22 + 11, 0xFF)});
    cases.push_back({"compressed", patched(22 + 16, 1)});
    cases.push_back({"odd depth", patched(22 + 14, 7)});
    int i = 0;
    for (const Case& c : cases) {
        const std::string path = Write("broken" + std::to_string(i++) + ".cur", c.Bytes);
        EXPECT_EQ(LoadCursorFromFileA(path.c_str()), 0u) << c.Name;
    }
}

} // namespace
