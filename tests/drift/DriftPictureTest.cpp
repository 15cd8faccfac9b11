// Dozewell Drift's picture: a frame at a fixed moment, drawn by the scene's own code, against the frame
// that the drawing before "only what changed" made (tests/drift/*.png).
#include <gtest/gtest.h>

#include <wincodec.h>

#include <math.h>
#include <stdio.h>
#include <string>
#include <vector>

#include "drift/DriftFrame.h"
#include "support/Harness.h"

namespace {

const DWORD kSeed = 20261208;
const int kSteps = 300, kStepMs = 33;  // ten seconds on: lights have risen, swayed, breathed, some come anew
// Per channel, out of 255: the colours come from the same arithmetic, so only rounding may differ.
const int kTolerance = 1;
// A glow is now placed to the pixel, where its discs were drawn at the light's exact place: an edge of
// a disc may fall a pixel to either side, and so may what lies next to it.
const float kEdgeShift = 1.0f;

struct Frame {
    int width = 0, height = 0;
    std::vector<DWORD> pixels;  // 0x00RRGGBB, top row first
};

// Composed whole at the start, then frame by frame only where it changed, as the saver shows it.
Frame DrawnFrame(CDriftScene& scene, int width, int height)
{
    CDriftFrame picture;
    picture.Fit(scene, width, height);
    std::vector<RECT> changed;
    for (int step = 0; step < kSteps; ++step) {
        scene.Advance(kStepMs);
        picture.Update(scene, changed);
    }
    Frame frame;
    frame.width = width, frame.height = height;
    for (int y = 0; y < height; ++y)
        frame.pixels.insert(frame.pixels.end(), picture.Picture().Row(y), picture.Picture().Row(y) + width);
    return frame;
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
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = frame.width, info.biHeight = -frame.height;  // top row first
    info.biPlanes = 1, info.biBitCount = 32;
    const DWORD bytes = static_cast<DWORD>(frame.pixels.size() * 4);
    const DWORD headers = sizeof(BITMAPFILEHEADER) + sizeof info;
    const BITMAPFILEHEADER file = { 0x4D42, headers + bytes, 0, 0, headers };
    FILE* out = fopen(path.c_str(), "wb");
    if (!out)
        return;
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

bool OnDiscEdge(const CDriftScene& scene, int x, int y, int width, int height)
{
    for (int index = 0; index < CDriftScene::kLightCount; ++index) {
        const CDriftScene::LightLook look = scene.Look(index, width, height);
        const float distance = hypotf(x + 0.5f - look.x, y + 0.5f - look.y);
        for (int disc = 0; disc < look.discs; ++disc)
            if (fabsf(distance - look.radii[disc]) <= kEdgeShift)
                return true;
    }
    return false;
}

// The pixels of one frame that have no match in the other, at or next to their place, away from the
// edges of discs: no colour, star or glow may go.
int Unmatched(const Frame& frame, const Frame& other, const CDriftScene& scene)
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
            unmatched += !matched && !OnDiscEdge(scene, x, y, frame.width, frame.height);
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
        CDriftScene scene(kSeed);
        const Frame drawn = DrawnFrame(scene, size.width, size.height);
        const Frame reference = Reference(size.reference);
        EXPECT_EQ(reference.width * 10000 + reference.height, size.width * 10000 + size.height) << size.reference;
        const int missing = Unmatched(reference, drawn, scene), added = Unmatched(drawn, reference, scene);
        EXPECT_EQ(missing + added, 0) << size.reference << ": " << missing << " pixels of the reference not drawn, "
                                      << added << " drawn that it lacks";
        if (missing + added || reference.width != size.width)
            Save(drawn,
                 BinDir() + "\\drift-" + std::to_string(size.width) + "x" + std::to_string(size.height) + ".bmp");
    }
    CoUninitialize();
}

}  // namespace
