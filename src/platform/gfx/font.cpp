#include "platform/gfx/font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SIZES_H

#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <tuple>

namespace platform::gfx {
namespace {

constexpr int kDefaultHeight = 13;
constexpr int kMaxHeight = 1000;
constexpr size_t kMaxCachedGlyphs = 50'000;
const char* const kFontDir = "/usr/share/fonts/truetype/dejavu/";

struct SizedFace {
    FT_Size size = nullptr;
    FontMetrics metrics;
};

struct FaceFile {
    FT_Face face = nullptr;
    std::map<int, SizedFace> sizes;
};

class Engine {
  public:
    Engine() {
        if (FT_Init_FreeType(&library_) != 0) return;
        std::string dir = kFontDir;
        if (const char* env = std::getenv("ORVANE_FONT_DIR")) dir = std::string(env) + "/";
        FT_New_Face(library_, (dir + "DejaVuSans.ttf").c_str(), 0, &files_[0].face);
        FT_New_Face(library_, (dir + "DejaVuSans-Bold.ttf").c_str(), 0, &files_[1].face);
    }

    bool available() const { return files_[0].face && files_[1].face; }

    // Caller holds mutex.
    SizedFace* activate(const FontSpec& font) {
        FaceFile& file = files_[font.weight >= 600 ? 1 : 0];
        if (!file.face) return nullptr;
        const int height = cellHeight(font);
        auto it = file.sizes.find(height);
        if (it == file.sizes.end()) {
            SizedFace sized;
            if (FT_New_Size(file.face, &sized.size) != 0) return nullptr;
            FT_Activate_Size(sized.size);
            const double unitsTall = file.face->ascender - file.face->descender;
            const double ppem = height * file.face->units_per_EM / unitsTall;
            FT_Set_Pixel_Sizes(file.face, 0, std::max(1u, static_cast<FT_UInt>(std::lround(ppem))));
            sized.metrics.height = height;
            sized.metrics.ascent =
                static_cast<int>(std::lround(height * file.face->ascender / unitsTall));
            it = file.sizes.emplace(height, sized).first;
            it->second.metrics.averageWidth = render(file.face, U'x').advance;
        }
        FT_Activate_Size(it->second.size);
        return &it->second;
    }

    Glyph render(FT_Face face, char32_t cp) {
        Glyph g;
        if (FT_Load_Char(face, cp, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) return g;
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bm = slot->bitmap;
        g.width = static_cast<int>(bm.width);
        g.rows = static_cast<int>(bm.rows);
        g.left = slot->bitmap_left;
        g.top = slot->bitmap_top;
        g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
        if (bm.pixel_mode != FT_PIXEL_MODE_GRAY) {
            g.width = g.rows = 0;
            return g;
        }
        g.coverage.resize(static_cast<size_t>(g.width) * g.rows);
        for (int y = 0; y < g.rows; ++y) {
            const unsigned char* src = bm.buffer + static_cast<ptrdiff_t>(y) * bm.pitch;
            std::copy(src, src + g.width, g.coverage.begin() + static_cast<ptrdiff_t>(y) * g.width);
        }
        return g;
    }

    static int cellHeight(const FontSpec& font) {
        if (font.height <= 0) return kDefaultHeight;
        return std::min(font.height, kMaxHeight);
    }

    std::mutex mutex;
    std::map<std::tuple<int, int, char32_t>, std::shared_ptr<const Glyph>> glyphs;

    FontMetrics metrics(const FontSpec& font) {
        SizedFace* sized = activate(font);
        if (!sized) return FontMetrics{cellHeight(font), cellHeight(font), 0};
        return sized->metrics;
    }

    std::shared_ptr<const Glyph> glyph(const FontSpec& font, char32_t cp) {
        const int bold = font.weight >= 600 ? 1 : 0;
        const auto key = std::make_tuple(bold, cellHeight(font), cp);
        auto it = glyphs.find(key);
        if (it != glyphs.end()) return it->second;
        if (glyphs.size() >= kMaxCachedGlyphs) glyphs.clear();
        Glyph g;
        if (activate(font)) g = render(files_[bold].face, cp);
        return glyphs.emplace(key, std::make_shared<const Glyph>(std::move(g))).first->second;
    }

  private:
    FT_Library library_ = nullptr;
    FaceFile files_[2];
};

Engine& engine() {
    static Engine* instance = new Engine();  // never destroyed: painters may run during exit
    return *instance;
}

}  // namespace

FontSpec systemFont() {
    return FontSpec{"System", 13, 400};
}
FontSpec systemBoldFont() {
    return FontSpec{"System", 13, 700};
}

bool fontsAvailable() {
    Engine& e = engine();
    std::lock_guard lock(e.mutex);
    return e.available();
}

FontMetrics fontMetrics(const FontSpec& font) {
    Engine& e = engine();
    std::lock_guard lock(e.mutex);
    return e.metrics(font);
}

std::shared_ptr<const Glyph> glyph(const FontSpec& font, char32_t codePoint) {
    Engine& e = engine();
    std::lock_guard lock(e.mutex);
    return e.glyph(font, codePoint);
}

void clearGlyphCache() {
    Engine& e = engine();
    std::lock_guard lock(e.mutex);
    e.glyphs.clear();
}

std::u32string decodeUtf8(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        char32_t cp = extra == 0   ? c
                      : extra == 1 ? (c & 0x1F)
                      : extra == 2 ? (c & 0x0F)
                                   : (c & 0x07);
        bool ok = extra >= 0 && i + extra < text.size();
        for (int k = 1; ok && k <= extra; ++k) {
            const auto cc = static_cast<unsigned char>(text[i + k]);
            if ((cc >> 6) != 2) ok = false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (!ok) {
            out.push_back(U'\uFFFD');
            ++i;
            continue;
        }
        out.push_back(cp);
        i += extra + 1;
    }
    return out;
}

}  // namespace platform::gfx
