// The TGA file reader: opens the image file, tests its first 12 bytes, hands it to the
// matching body reader and shows the one message box of a failed read.
#include "FileName.h"
#include "TgaDecoding.h"
#include "win32/Kernel.h"
#include "win32/User.h"

HANDLE FTGA = INVALID_HANDLE_VALUE;

namespace {

using vistral::TGAFailure;
using vistral::detail::TgaByteSource;

constexpr std::size_t FILE_HEADER_SIZE = sizeof(TTGAHeader::Header);

// Reads from FTGA; a read the operating system fails delivers no bytes.
bool ReadImageFile(void* buffer, std::size_t count) {
    // Counts stay within 32 bits: the decoder refuses image sizes beyond them.
    DWORD arrived = 0;
    if (!ReadFile(FTGA, buffer, static_cast<DWORD>(count), &arrived, nullptr)) return false;
    return arrived == count;
}

// The image file as a source of bytes for the decoder.
TgaByteSource ImageFileSource() {
    return TgaByteSource{ReadImageFile, nullptr, 0, 0};
}

// Closes the image file if it is open.
void CloseTGAFile() {
    if (FTGA != INVALID_HANDLE_VALUE) CloseHandle(FTGA);
    FTGA = INVALID_HANDLE_VALUE;
}

// The one message box of a failed read.
void ShowFailure(TGAFailure failure) {
    MessageBoxA(0, vistral::TGAFailureText(failure), vistral::TGAFailureCaption(failure), MB_OK);
}

// The body reader for type 2 files, reading FTGA; closes it on success only.
bool LoadUncompressedTGA(TGATexture& Texture, const char* /*FileName*/) {
    TgaByteSource file = ImageFileSource();
    const TGAFailure failure = vistral::detail::DecodeTgaUncompressed(file, Texture);
    if (failure != TGAFailure::None) {
        ShowFailure(failure);
        return false;
    }
    CloseTGAFile();
    return true;
}

// The body reader for type 10 files, reading FTGA; closes it on success only.
bool LoadCompressedTGA(TGATexture& Texture, const char* /*FileName*/) {
    TgaByteSource file = ImageFileSource();
    const TGAFailure failure = vistral::detail::DecodeTgaCompressed(file, Texture);
    if (failure != TGAFailure::None) {
        ShowFailure(failure);
        return false;
    }
    CloseTGAFile();
    return true;
}

} // namespace

// Opens the file, tests its first 12 bytes and hands it to the matching body reader.
bool LoadTGA(TGATexture& Texture, const char* FileName) {
    Texture.ImageData = nullptr;
    const vistral::detail::ShortFileName name = vistral::detail::CutFileName(FileName);
    FTGA = CreateFileA(name.Text, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, 0);
    if (FTGA == 0) FTGA = INVALID_HANDLE_VALUE;
    if (FTGA == INVALID_HANDLE_VALUE) {
        ShowFailure(TGAFailure::CannotOpen);
        return false;
    }
    TgaByteSource file = ImageFileSource();
    if (!vistral::detail::ReadTgaBytes(file, TGAHeader.Header, FILE_HEADER_SIZE)) {
        ShowFailure(TGAFailure::FileHeader);
        CloseTGAFile();
        return false;
    }
    bool read = false;
    if (vistral::detail::TgaHeaderIs(UTGACompare)) {
        read = LoadUncompressedTGA(Texture, FileName);
    } else if (vistral::detail::TgaHeaderIs(CTGACompare)) {
        read = LoadCompressedTGA(Texture, FileName);
    } else {
        ShowFailure(TGAFailure::WrongType);
    }
    if (!read) CloseTGAFile();
    return read;
}
