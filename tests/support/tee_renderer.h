// Every drawing call handed to two renderers at once, so that two ways of drawing can be
// compared picture for picture on the same play.
#pragma once

#include "platform/platform.h"

class TeeRenderer : public PlatformRenderer {
public:
    TeeRenderer(PlatformRenderer& a, PlatformRenderer& b) : a(a), b(b) {}
    bool createTexture(int slot, const uint8_t* data, size_t size, uint32_t key) override {
        const bool ok = a.createTexture(slot, data, size, key);
        return b.createTexture(slot, data, size, key) && ok;
    }
    void releaseTexture(int slot) override { a.releaseTexture(slot), b.releaseTexture(slot); }
    void bindTexture(int slot) override { a.bindTexture(slot), b.bindTexture(slot); }
    void setBlend(KBlend blend) override { a.setBlend(blend), b.setBlend(blend); }
    void drawTriangles(const KVertex* v, int count) override {
        a.drawTriangles(v, count), b.drawTriangles(v, count);
    }
    void clear(uint32_t rgb) override { a.clear(rgb), b.clear(rgb); }
    void present() override { a.present(), b.present(); }

private:
    PlatformRenderer &a, &b;
};
