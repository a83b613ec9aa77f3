#include "window.h"

#include "input.h"
#include "objects/layers.h"
#include "sprite.h"

ZTWindow* ZTWindow::top = nullptr;
int32_t ZTWindow::selection = -1;

namespace {
constexpr uint32_t white = 0xFFFFFFFF;
// The text runs out of the picture below this line; a window that would cross it rises.
constexpr float lowestLine = 464.0f;

void put(int cell, float x, float y, float sx = 2.0f, float sy = 2.0f) {
    gSprite->kspPut(cell, x, y, 0.0f, sx, sy, white);
}

// What a window's text is made of: "|n" breaks the line, "|p" shows the waiting mark, a byte
// above 128 leads a two-byte character, any other byte is one of the font's.
enum class Piece { Break, Pause, Wide, Narrow };

// Walks the first `shown` bytes of a window's text piece by piece: code is the byte of a narrow
// character or the two bytes of a wide one. A piece whose second byte is not typed yet ends the
// walk; an unknown code after '|' is passed over.
template <class F> void eachPiece(const std::string& text, int shown, F&& piece) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const int end = shown < static_cast<int>(text.size()) ? shown : static_cast<int>(text.size());
    int i = 0;
    while (i < end) {
        const unsigned c = bytes[i];
        if (c == '|' || c > 128) {
            if (i + 1 >= end) break;
            const unsigned second = bytes[i + 1];
            i += 2;
            if (c > 128)
                piece(Piece::Wide, c * 256 + second);
            else if (second == 'n')
                piece(Piece::Break, second);
            else if (second == 'p')
                piece(Piece::Pause, second);
        } else {
            i += 1;
            piece(Piece::Narrow, c);
        }
    }
}
} // namespace

ZTWindow::ZTWindow(int leftCell, int topCell, int choices, const std::string& text, int speed)
    : KilnBehave(ZT_LAYER_WINDOW), position{leftCell * 32.0f, topCell * 32.0f, 0.0f},
      home(position), choices(choices), text(text), speed(speed),
      shown(speed == 0 ? static_cast<int>(text.size()) : 0), cursorPos{0.0f, position.y + 32.0f,
                                                                       0.0f} {
    older = top;
    if (top) top->newer = this;
    top = this;
    selection = -1;
}

ZTWindow::~ZTWindow() {
    if (newer) newer->older = older;
    if (older) older->newer = newer;
    if (top == this) top = older;
    selection = -1;
}

bool ZTWindow::alive(const ZTWindow* window) {
    if (!window) return false;
    for (const ZTWindow* w = top; w; w = w->older)
        if (w == window) return true;
    return false;
}

void ZTWindow::close(ZTWindow* window) {
    if (alive(window)) window->closing = true;
}

bool ZTWindow::kbMove() {
    if (top == this) {
        brightness = 64;
    } else if (brightness > 0) {
        brightness -= 1;
    }
    phase += brightness;
    counter += 1;

    if (shown < static_cast<int>(text.size())) {
        typeTimer += 1;
        if (typeTimer >= speed) {
            shown += 1;
            typeTimer = 0;
        }
    }

    position += 0.0625f * (home - position);

    const float cursorY = position.y + 32.0f + cursor * 64.0f;
    cursorPos.y += 0.25f * (cursorY - cursorPos.y);
    cursorPos.z += 0.25f * (0.0f - cursorPos.z);
    cursorPos.x = position.x + 8.0f + 12.0f * shakeSize * kmSin(shakeAngle);

    if (choices == 0) {
        moveMessage();
    } else {
        moveMenu();
    }
    // The frame is drawn at the size the text had reached by the last frame, as it grows behind
    // the typing; the size and the rise follow the text here, in the move, so that they are the
    // same whether or not a frame is drawn.
    frameWidth = width;
    frameHeight = height;
    layoutText();
    return !closing;
}

// Walks the bytes typed so far as the drawing does: the frame widens with every character and
// deepens with every new line, and a window whose text would leave the picture rises.
void ZTWindow::layoutText() {
    float y = position.y + 32.0f;
    int column = 1, row = 1;
    eachPiece(text, shown, [&](Piece piece, unsigned) {
        if (piece == Piece::Break) {
            y += 64.0f;
            column = 1;
            row += 2;
            if (height < row) {
                height += 2;
                if (y > lowestLine) home.y -= 64.0f;
            }
            return;
        }
        column += piece == Piece::Narrow ? 1 : 2;
        if (column / 2 > width) width += 1;
    });
}

void ZTWindow::moveMessage() {
    switch (state) {
    case 0:
        if (shown >= static_cast<int>(text.size()) && top == this && gInput->kiIsPushed(KI_BUTTON1))
            state = 1;
        break;
    case 1:
        selection = 0;
        closing = true;
        break;
    default:
        break;
    }
}

void ZTWindow::moveMenu() {
    switch (state) {
    case 0:
        // A fresh or re-armed menu listens in this very frame.
        state = 1;
        [[fallthrough]];
    case 1:
        if (top != this) break;
        if (gInput->kiIsPushed(KI_UP)) cursor = cursor > 0 ? cursor - 1 : choices - 1;
        if (gInput->kiIsPushed(KI_DOWN)) cursor = cursor < choices - 1 ? cursor + 1 : 0;
        if (gInput->kiIsPushed(KI_BUTTON1)) {
            shakeAngle = 0.0f;
            shakeSize = 1.0f;
            state = 2;
        }
        break;
    case 2:
        // The cursor shakes itself still before the choice is published.
        counter += 2;
        shakeAngle += 0.5235988f;
        shakeSize -= 0.041666668f;
        if (shakeSize < 0.0f) {
            shakeAngle = 0.0f;
            shakeSize = 0.0f;
            selection = cursor;
            state = 3;
        }
        break;
    case 3:
        if (top == this) state = 0;
        break;
    default:
        break;
    }
}

void ZTWindow::kbDraw() {
    drawFrame();
    drawText();
    if (choices != 0) put(177 + ((counter >> 2) & 7), cursorPos.x, cursorPos.y);
}

void ZTWindow::drawFrame() const {
    ztDrawWindowFrame(position.x, position.y, frameWidth, frameHeight, (phase >> 7) & 3);
}

void ztDrawWindowFrame(float x, float y, int width, int height, int p) {
    const float right = x + 32.0f * (width + 1);
    const float bottom = y + 32.0f * (height + 1);
    put(144 + p, x, y);
    for (int k = 1; k <= width; ++k) put(160 + p, x + 32.0f * k, y);
    put(148 + p, right, y);
    for (int r = 1; r <= height; ++r) {
        const float ry = y + 32.0f * r;
        put(168 + p, x, ry);
        for (int k = 1; k <= width; ++k) put(176, x + 32.0f * k, ry);
        put(172 + p, right, ry);
    }
    put(152 + p, x, bottom);
    for (int k = 1; k <= width; ++k) put(164 + p, x + 32.0f * k, bottom);
    put(156 + p, right, bottom);
}

namespace {
// Walks a line of text glyph by glyph: the cell, its horizontal scale factor and its advance.
template <class F> float eachGlyph(const char* text, float scale, F&& glyph) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    float x = 0.0f;
    for (size_t i = 0; bytes[i];) {
        const unsigned c = bytes[i];
        if (c > 128 && bytes[i + 1]) {
            const int cell = static_cast<int>(c * 256 + bytes[i + 1]) - 32805;
            if (cell >= 0 && cell < kCellCount) glyph(cell, x, scale, scale);
            x += 16.0f * scale;
            i += 2;
            continue;
        }
        const int code = (c >= 32 && c <= 127) ? static_cast<int>(c) : '?';
        glyph(code + 155, x, scale, 2.0f * scale);
        x += 8.0f * scale;
        i += 1;
    }
    return x;
}
} // namespace

float ztDrawWindowLine(float x, float y, const char* text, float scale, uint32_t colour) {
    // The pen moves as the window's own text does: 16 pixels for a one-byte character, 32 for
    // a two-byte one, at the window's size 2.
    return eachGlyph(text, scale, [&](int cell, float at, float sx, float sy) {
        gSprite->kspPut(cell, x + at, y, 0.0f, sx, sy, colour);
    });
}

float ztWindowLineWidth(const char* text, float scale) {
    return eachGlyph(text, scale, [](int, float, float, float) {});
}

// Draws the bytes typed so far, line by line; the size they need was laid out in the move.
void ZTWindow::drawText() const {
    float x = position.x + 32.0f, y = position.y + 32.0f;
    eachPiece(text, shown, [&](Piece piece, unsigned code) {
        switch (piece) {
        case Piece::Break:
            x = position.x + 32.0f;
            y += 64.0f;
            break;
        case Piece::Pause:
            put((counter & 8) != 0 ? 186 : 185, x, y);
            x += 32.0f;
            break;
        case Piece::Wide: {
            const int cell = static_cast<int>(code) - 32805;
            if (cell >= 0 && cell < kCellCount) put(cell, x, y);
            x += 32.0f;
            break;
        }
        case Piece::Narrow:
            // Only the font's 96 characters: a control byte would land on a frame piece.
            put((code >= 32 && code <= 127 ? static_cast<int>(code) : '?') + 155, x, y, 2.0f, 4.0f);
            x += 16.0f;
            break;
        }
    });
}

void ZTWindow::kbHash(KUHash& hash) const {
    hash.add(layer);
    hash.add(position);
    hash.add(home);
    hash.add(static_cast<int32_t>(shown));
    hash.add(static_cast<int32_t>(cursor));
    hash.add(static_cast<int32_t>(state));
    hash.add(closing);
}

ZTWpMoyo::ZTWpMoyo() : KilnBehave(ZT_LAYER_FLOOR) {}

bool ZTWpMoyo::kbMove() {
    position.x -= 2.0f;
    position.y -= 0.5f;
    counter += 1;
    if (counter >= 256) {
        position = KVector{0.0f, 0.0f, 0.0f};
        counter = 0;
    }
    return true;
}

void ZTWpMoyo::kbDraw() {
    int row = 0;
    for (float y = position.y; y < 512.0f; y += 64.0f, ++row) {
        const float start = position.x + ((row & 1) != 0 ? 64.0f : 0.0f);
        for (float x = start; x < 672.0f; x += 128.0f)
            gSprite->kspPut(cell, x, y, 0.0f, 2.0f, 2.0f, 0x40FFFFFF);
    }
}

void ZTWpMoyo::kbHash(KUHash& hash) const {
    hash.add(layer);
    hash.add(position);
    hash.add(static_cast<int32_t>(counter));
}
