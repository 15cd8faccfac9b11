// Dozewell Drift's picture: a frame at a fixed moment, drawn by the scene's own code, against the frame
// that the drawing before "only what changed" made (tests/drift/*.png).
#include <gtest/gtest.h>

#include <wincodec.h>

#include <stdio.h>
#include <string>
#include <vector>

#include "drift/DriftScene.h"
#include "support/Harness.h"

namespace {

const DWORD kSeed = 20261208;
const int kSteps = 300, kStepMs = 33;  // ten seconds on: lights have risen, swayed, breathed, some come anew
// Per channel, out of 255: the colours come from the same arithmetic, so only rounding may differ.
const int kTolerance = 1;

// 32 bits a pixel, top row first.
BITMAPINFOHEADER Header(int width, int height)
{
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width, header.biHeight = -height;
    header.biPlanes = 1, header.biBitCount = 32;
    return header;
}

struct Frame {
    int width = 0, height = 0;
    std::vector<DWORD> pixels;  // 0x00RRGGBB, top row first
};

// A 32-bit top-down bitmap in a memory DC, as a frame's pixels.
class Canvas {
public:
    Canvas(int width, int height) : dc(CreateCompatibleDC(nullptr))
    {
        BITMAPINFO info = {};
        info.bmiHeader = Header(width, height);
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        old = SelectObject(dc, bitmap);
        frame.width = width, frame.height = height;
    }
    ~Canvas()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    Frame& Pixels()
    {
        GdiFlush();
        const DWORD* first = static_cast<const DWORD*>(bits);
        frame.pixels.assign(first, first + frame.width * frame.height);
        return frame;
    }

    HDC dc;

private:
    HBITMAP bitmap;
    HGDIOBJ old;
    void* bits = nullptr;
    Frame frame;
};

Frame DrawnFrame(int width, int height)
{
    CDriftScene scene(kSeed);
    for (int step = 0; step < kSteps; ++step)
        scene.Advance(kStepMs);
    Canvas canvas(width, height);
    scene.DrawSky(canvas.dc, width, height);
    scene.DrawLights(canvas.dc, width, height);
    return canvas.Pixels();
}

// The reference in the test's resources, decoded by the system's PNG codec.
Frame Reference(const char* name)
{
    Frame frame;
    const HRSRC found = FindResourceA(nullptr, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
    IWICImagingFactory* factory = nullptr;
    IWICStream* stream = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* source = nullptr;
    IWICFormatConverter* converter = nullptr;
    UINT width = 0, height = 0;
    if (found &&
        SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory))) &&
        SUCCEEDED(factory->CreateStream(&stream)) &&
        SUCCEEDED(stream->InitializeFromMemory(static_cast<BYTE*>(LockResource(LoadResource(nullptr, found))),
                                               SizeofResource(nullptr, found))) &&
        SUCCEEDED(factory->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnDemand, &decoder)) &&
        SUCCEEDED(decoder->GetFrame(0, &source)) && SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
        SUCCEEDED(converter->Initialize(source, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0,
                                        WICBitmapPaletteTypeCustom)) &&
        SUCCEEDED(converter->GetSize(&width, &height))) {
        frame.pixels.resize(width * height);
        if (SUCCEEDED(converter->CopyPixels(nullptr, width * 4, width * height * 4,
                                            reinterpret_cast<BYTE*>(frame.pixels.data()))))
            frame.width = width, frame.height = height;
    }
    for (IUnknown* object : std::vector<IUnknown*> { converter, source, decoder, stream, factory })
        if (object)
            object->Release();
    return frame;
}

// Kept beside the tests for a look (and, after a change of the picture meant, for the reference).
void Save(const Frame& frame, const std::string& path)
{
    const BITMAPINFOHEADER info = Header(frame.width, frame.height);
    const DWORD bytes = static_cast<DWORD>(frame.pixels.size() * 4);
    const DWORD headers = sizeof(BITMAPFILEHEADER) + sizeof info;
    const BITMAPFILEHEADER file = { 0x4D42, headers + bytes, 0, 0, headers };
    FILE* out = fopen(path.c_str(), "wb");
    fwrite(&file, sizeof file, 1, out);
    fwrite(&info, sizeof info, 1, out);
    fwrite(frame.pixels.data(), bytes, 1, out);
    fclose(out);
}

bool Near(DWORD a, DWORD b)
{
    for (int shift = 0; shift < 24; shift += 8) {
        const int difference = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (difference > kTolerance || difference < -kTolerance)
            return false;
    }
    return true;
}

// The pixels of one frame that have no match in the other at or next to their place: a disc's edge may
// fall a pixel to either side where a glow is placed to the pixel, but no colour, star or glow may go.
int Unmatched(const Frame& frame, const Frame& other)
{
    int unmatched = 0;
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x) {
            bool matched = false;
            for (int dy = -1; dy <= 1 && !matched; ++dy)
                for (int dx = -1; dx <= 1 && !matched; ++dx) {
                    const int ox = x + dx, oy = y + dy;
                    matched = ox >= 0 && oy >= 0 && ox < other.width && oy < other.height &&
                              Near(frame.pixels[y * frame.width + x], other.pixels[oy * other.width + ox]);
                }
            unmatched += !matched;
        }
    return unmatched;
}

TEST(Drift, DrawsTheSamePictureAsBefore)
{
    CoInitialize(nullptr);
    const struct {
        int width, height;
        const char* reference;
    } sizes[] = { { 960, 540, "FRAME_960X540" }, { 1280, 800, "FRAME_1280X800" } };
    for (const auto& size : sizes) {
        const Frame drawn = DrawnFrame(size.width, size.height);
        const Frame reference = Reference(size.reference);
        EXPECT_EQ(reference.width * 10000 + reference.height, size.width * 10000 + size.height) << size.reference;
        const int missing = Unmatched(reference, drawn), added = Unmatched(drawn, reference);
        EXPECT_EQ(missing + added, 0) << size.reference << ": " << missing << " pixels of the reference not drawn, "
                                      << added << " drawn that it lacks";
        if (missing + added || reference.width != size.width)
            Save(drawn,
                 BinDir() + "\\drift-" + std::to_string(size.width) + "x" + std::to_string(size.height) + ".bmp");
    }
    CoUninitialize();
}

}  // namespace
