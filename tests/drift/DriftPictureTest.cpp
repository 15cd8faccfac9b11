// Dozewell Drift's picture, drawn by the scene's own code: composed only where it changed as the saver shows
// it, against the frame composed whole, and against the frames that the drawing before made (*.png).
#include <gtest/gtest.h>

#include <wincodec.h>

#include <math.h>
#include <stdlib.h>
#include <vector>

#include "drift/DriftFrame.h"
#include "support/Harness.h"

namespace {

const DWORD kSeed = 20261208;
// Per channel, out of 255: the colours come from the same arithmetic, so only rounding may differ.
const int kTolerance = 1;
// A glow is now placed to the pixel, where its discs were drawn at the light's exact place: an edge of
// a disc may fall a pixel to either side, and so may what lies next to it.
const float kEdgeShift = 1.0f;

typedef std::vector<DWORD> Pixels;  // 0x00RRGGBB, top row first

Pixels Composed(const CDriftFrame& frame)
{
    const CBackBuffer& picture = frame.Picture();
    return Pixels(picture.Row(0), picture.Row(0) + picture.Width() * picture.Height());
}

// The reference in the test's resources, decoded by the system's PNG codec; empty unless width x height.
Pixels Reference(const char* name, UINT width, UINT height)
{
    Pixels pixels(width * height);
    const HRSRC found = FindResourceA(nullptr, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
    IWICImagingFactory* factory = nullptr;
    IWICStream* stream = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* source = nullptr;
    IWICFormatConverter* converter = nullptr;
    UINT sourceWidth = 0, sourceHeight = 0;
    const bool decoded =
        found &&
        SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory))) &&
        SUCCEEDED(factory->CreateStream(&stream)) &&
        SUCCEEDED(stream->InitializeFromMemory(static_cast<BYTE*>(LockResource(LoadResource(nullptr, found))),
                                               SizeofResource(nullptr, found))) &&
        SUCCEEDED(factory->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnDemand, &decoder)) &&
        SUCCEEDED(decoder->GetFrame(0, &source)) && SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
        SUCCEEDED(converter->Initialize(source, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0,
                                        WICBitmapPaletteTypeCustom)) &&
        SUCCEEDED(converter->GetSize(&sourceWidth, &sourceHeight)) && sourceWidth == width && sourceHeight == height &&
        SUCCEEDED(converter->CopyPixels(nullptr, width * 4, width * height * 4, reinterpret_cast<BYTE*>(&pixels[0])));
    for (IUnknown* object : std::vector<IUnknown*> { converter, source, decoder, stream, factory })
        if (object)
            object->Release();
    return decoded ? pixels : Pixels();
}

bool Near(DWORD a, DWORD b)
{
    for (int shift = 0; shift < 24; shift += 8)
        if (abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > kTolerance)
            return false;
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
int Unmatched(const Pixels& frame, const Pixels& other, const CDriftScene& scene, int width, int height)
{
    int unmatched = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            bool matched = false;
            for (int oy = std::max(y - 1, 0); oy <= std::min(y + 1, height - 1) && !matched; ++oy)
                for (int ox = std::max(x - 1, 0); ox <= std::min(x + 1, width - 1) && !matched; ++ox)
                    matched = Near(frame[y * width + x], other[oy * width + ox]);
            unmatched += !matched && !OnDiscEdge(scene, x, y, width, height);
        }
    return unmatched;
}

// Composed whole at the start, then step by step only where it changed, as the saver shows it: the same
// as the frame composed whole at that moment, also after steps long enough that lights jump; and at the
// moment of the references, ten seconds on, the picture that the drawing before made.
TEST(Drift, DrawsOnlyWhatChangedAndTheSamePictureAsBefore)
{
    CoInitialize(nullptr);
    const struct {
        int width, height, steps, stepMs;
        const char* reference;
    } rows[] = { { 960, 540, 300, 33, "FRAME_960X540" },
                 { 1280, 800, 300, 33, "FRAME_1280X800" },
                 { 1280, 800, 3, 4000, nullptr } };
    for (const auto& row : Rows(rows)) {
        CDriftScene scene(kSeed);
        CDriftFrame shown, whole;
        shown.Fit(scene, row.width, row.height);
        CDriftFrame::Areas changed;
        for (int step = 0; step < row.steps; ++step) {
            scene.Advance(row.stepMs);
            shown.Update(scene, changed);
        }
        whole.Fit(scene, row.width, row.height);
        const Pixels drawn = Composed(shown);
        EXPECT_TRUE(drawn == Composed(whole)) << "a stale or missing part where the picture changed";
        if (!row.reference)
            continue;
        const Pixels reference = Reference(row.reference, row.width, row.height);
        ASSERT_FALSE(reference.empty()) << row.reference << " cannot be read at that size";
        const int missing = Unmatched(reference, drawn, scene, row.width, row.height);
        const int added = Unmatched(drawn, reference, scene, row.width, row.height);
        EXPECT_EQ(missing + added, 0) << missing << " pixels of the reference not drawn, " << added
                                      << " drawn that it lacks";
    }
    CoUninitialize();
}

}  // namespace
