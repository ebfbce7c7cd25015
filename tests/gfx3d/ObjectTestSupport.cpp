#include "ObjectTestSupport.h"

#include <cstring>

#include "gfx3d/MeshObject.h"

DddBytes& DddBytes::U32(uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<uint8_t>(value >> shift));
    return *this;
}

DddBytes& DddBytes::F32(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, 4);
    return U32(bits);
}

DddBytes& DddBytes::Record(uint8_t x, uint8_t y, uint8_t z, uint8_t normal, uint8_t colour) {
    return Byte(x).Byte(y).Byte(z).Byte(normal).Byte(colour);
}

DddBytes& DddBytes::Header(uint32_t frames, uint32_t colours, uint32_t pairs) {
    // 17 B3 C6 00, then the bit pattern of 1.02, 0x3FF051EB851EB852, as a double.
    Byte(0x17).Byte(0xB3).Byte(0xC6).Byte(0x00);
    U32(0x851EB852u).U32(0x3FF051EBu);
    return U32(frames).U32(colours).U32(pairs);
}

DddBytes& DddBytes::FrameHeader(int32_t records, float offset, float scale) {
    U32(static_cast<uint32_t>(records));
    for (int axis = 0; axis < 3; ++axis)
        F32(offset);
    for (int axis = 0; axis < 3; ++axis)
        F32(scale);
    return *this;
}

std::vector<uint8_t> SampleBinaryObject() {
    DddBytes file;
    // Colours: red, the list marker, the strip marker.
    file.Header(1, 3, 12).U32(0x0000FF).U32(ColorListStart).U32(ColorStripStart);
    for (int i = 0; i < 12; ++i)
        file.F32(i * 0.25f).F32(1.0f - i * 0.125f);
    file.FrameHeader(12, 10.0f, 0.5f);
    file.Record(0, 0, 0, 1, 1); // list marker
    file.Record(10, 0, 0, 5, 0).Record(20, 0, 0, 5, 0).Record(10, 30, 0, 5, 0);
    file.Record(40, 0, 0, 5, 0).Record(50, 0, 0, 5, 0).Record(40, 60, 0, 5, 0);
    file.Record(40, 60, 0, 0, 2); // strip marker
    file.Record(0, 0, 255, 7, 0).Record(255, 0, 255, 8, 0).Record(0, 255, 255, 9, 0);
    file.Record(255, 255, 255, 10, 0);
    return file.bytes;
}
