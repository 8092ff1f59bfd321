// The Windows program's resources (resources/Project1.rc.in), compiled into this test program
// as they will be into the program: the manifest as Windows reads it, the pictures as bitmaps
// with the PNG files' pixels, the icon in each of its sizes.
#include <windows.h>

#include <wincodec.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// --- the manifest -----------------------------------------------------------------------------

std::wstring setting(const wchar_t* schema, const wchar_t* name) {
    wchar_t value[128] = {};
    SIZE_T length = 0;
    if (!QueryActCtxSettingsW(0, nullptr, schema, name, value, 128, &length))
        return L"(none: error " + std::to_wstring(GetLastError()) + L")";
    return value;
}

TEST(Manifest, DeclaresDpiAwareness) {
    EXPECT_EQ(setting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"),
              L"PerMonitorV2");
    EXPECT_EQ(setting(L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"),
              L"true");
}

// Only the dependency on the common controls' version 6 assembly redirects comctl32.dll.
TEST(Manifest, BringsInCommonControlsVersion6) {
    ACTCTX_SECTION_KEYED_DATA data{};
    data.cbSize = sizeof data;
    EXPECT_TRUE(FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION,
                                         L"comctl32.dll", &data))
        << "error " << GetLastError();
}

TEST(Manifest, RunsAsInvoker) {
    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION level{};
    ASSERT_TRUE(QueryActCtxW(0, nullptr, nullptr, RunlevelInformationInActivationContext, &level,
                             sizeof level, nullptr));
    EXPECT_EQ(level.RunLevel, ACTCTX_RUN_LEVEL_AS_INVOKER);
    EXPECT_EQ(level.UiAccess, 0u);
}

// The layout Windows 10 and wine fill in; older SDK headers lack MaxVersionTested.
struct CompatibilityElement {
    GUID id;
    DWORD type;
    ULONGLONG maxVersionTested;
};
struct CompatibilityInformation {
    DWORD count;
    CompatibilityElement elements[8];
};

TEST(Manifest, NamesTheWindowsVersionsFromVistaTo11) {
    CompatibilityInformation info{};
    ASSERT_TRUE(QueryActCtxW(0, nullptr, nullptr, CompatibilityInformationInActivationContext,
                             &info, sizeof info, nullptr));
    std::vector<unsigned long> versions; // the first field of each GUID names it well enough
    for (DWORD i = 0; i < info.count && i < 8; ++i)
        if (info.elements[i].type == ACTCTX_COMPATIBILITY_ELEMENT_TYPE_OS)
            versions.push_back(info.elements[i].id.Data1);
    EXPECT_EQ(versions, (std::vector<unsigned long>{0x8e0f7a12, 0x1f676c76, 0x4a2f28e3, 0x35138b9a,
                                                    0xe2011457}));
}

// --- the pictures -----------------------------------------------------------------------------

std::wstring besideThisProgram(const std::wstring& name) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\') + 1) + name;
}

struct Pixels {
    UINT width = 0;
    UINT height = 0;
    std::vector<BYTE> bgr; // top-down rows of 3 * width bytes
};

// A PNG file decoded by the Windows Imaging Component into 24-bit BGR.
Pixels decodePng(const std::wstring& file) {
    Pixels pixels;
    IWICImagingFactory* factory = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IWICImagingFactory, reinterpret_cast<void**>(&factory));
    if (SUCCEEDED(hr))
        hr = factory->CreateDecoderFromFilename(file.c_str(), nullptr, GENERIC_READ,
                                                WICDecodeMetadataCacheOnDemand, &decoder);
    if (SUCCEEDED(hr))
        hr = decoder->GetFrame(0, &frame);
    if (SUCCEEDED(hr))
        hr = factory->CreateFormatConverter(&converter);
    if (SUCCEEDED(hr))
        hr = converter->Initialize(frame, GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone,
                                   nullptr, 0.0, WICBitmapPaletteTypeCustom);
    if (SUCCEEDED(hr))
        hr = converter->GetSize(&pixels.width, &pixels.height);
    if (SUCCEEDED(hr)) {
        pixels.bgr.resize(3u * pixels.width * pixels.height);
        hr = converter->CopyPixels(nullptr, 3 * pixels.width, static_cast<UINT>(pixels.bgr.size()),
                                   pixels.bgr.data());
    }
    for (IUnknown* object : std::initializer_list<IUnknown*>{converter, frame, decoder, factory})
        if (object)
            object->Release();
    EXPECT_TRUE(SUCCEEDED(hr)) << "decoding a PNG file failed with " << std::hex << hr;
    return pixels;
}

// A BITMAP resource as the program will load it.
Pixels loadBitmap(const wchar_t* name) {
    Pixels pixels;
    const auto bitmap = static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    DIBSECTION dib{};
    if (!bitmap || GetObjectW(bitmap, sizeof dib, &dib) != sizeof dib) {
        ADD_FAILURE() << "no bitmap resource of that name";
        return pixels;
    }
    EXPECT_EQ(dib.dsBm.bmBitsPixel, 24);
    pixels.width = static_cast<UINT>(dib.dsBm.bmWidth);
    pixels.height = static_cast<UINT>(dib.dsBm.bmHeight);
    const auto* bits = static_cast<const BYTE*>(dib.dsBm.bmBits);
    for (UINT row = 0; row < pixels.height; ++row) { // a DIB's rows run bottom-up
        const BYTE* line = bits + static_cast<std::size_t>(pixels.height - 1 - row) *
                                      static_cast<std::size_t>(dib.dsBm.bmWidthBytes);
        pixels.bgr.insert(pixels.bgr.end(), line, line + 3 * pixels.width);
    }
    DeleteObject(bitmap);
    return pixels;
}

class Pictures : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))); }
    void TearDown() override { CoUninitialize(); }

    static void expectSame(const wchar_t* resource, const wchar_t* png, UINT width, UINT height) {
        const Pixels loaded = loadBitmap(resource);
        const Pixels drawn = decodePng(besideThisProgram(png));
        EXPECT_EQ(loaded.width, width);
        EXPECT_EQ(loaded.height, height);
        ASSERT_EQ(loaded.width, drawn.width);
        ASSERT_EQ(loaded.height, drawn.height);
        EXPECT_TRUE(loaded.bgr == drawn.bgr) << "the bitmap differs from the PNG file; run "
                                                "scripts/make-artwork";
    }
};

TEST_F(Pictures, TheBannerBitmapHasThePngsPixels) {
    expectSame(L"BANNER", L"banner.png", 618, 102);
}

TEST_F(Pictures, TheEncoderBitmapHasThePngsPixels) {
    expectSame(L"ENCODER", L"encoder.png", 184, 122);
}

// --- the icon ---------------------------------------------------------------------------------

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE colors;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST(Icon, HoldsEachSizeTheWindowAsksFor) {
    const HMODULE self = GetModuleHandleW(nullptr);
    const HRSRC found = FindResourceW(self, L"MAINICON", RT_GROUP_ICON);
    ASSERT_NE(found, nullptr);
    const auto* group = static_cast<const BYTE*>(LockResource(LoadResource(self, found)));
    WORD count = 0;
    std::memcpy(&count, group + 4, sizeof count);
    std::vector<int> sizes;
    for (WORD i = 0; i < count; ++i) {
        GroupIconEntry entry;
        std::memcpy(&entry, group + 6 + i * sizeof entry, sizeof entry);
        sizes.push_back(entry.width);
    }
    EXPECT_EQ(sizes, (std::vector<int>{16, 32, 48}));

    for (const int size : sizes) {
        const auto icon =
            static_cast<HICON>(LoadImageW(self, L"MAINICON", IMAGE_ICON, size, size, 0));
        ICONINFO info{};
        ASSERT_TRUE(icon && GetIconInfo(icon, &info)) << size;
        BITMAP color{};
        GetObjectW(info.hbmColor, sizeof color, &color);
        EXPECT_EQ(color.bmWidth, size);
        EXPECT_EQ(color.bmHeight, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

} // namespace
