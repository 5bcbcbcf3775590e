#pragma once

#include <cstdint>
#include <string_view>

#include "geometry/vec3.h"
#include "model/font_record.h"

// The bitmap font of name labels: 128 consecutive display lists, one per
// character code 0 … 127, each a glBitmap of the glyph in the label font that
// advances the raster position by the glyph's width. Made and used while the
// rendering context is current; rebuild it whenever the context is made anew or
// the label font changes.
//
//   LabelCharset charset;
//   charset.build(document.labelFont);            // 0 when it could not be made
//   charset.drawText(colour, rasterPoint, "A");   // with the model-view in place
class LabelCharset {
  public:
    LabelCharset() = default;
    ~LabelCharset();  // deletes the lists; the context must still be current
    LabelCharset(const LabelCharset&) = delete;
    LabelCharset& operator=(const LabelCharset&) = delete;

    // Returns the list base, or 0 (the old set deleted, the failure on the
    // diagnostic trace). Needs a QGuiApplication for the glyphs.
    unsigned build(const FontRecord& font);
    void release();

    unsigned base() const { return base_; }
    bool built() const { return base_ != 0; }
    // The font the set was built from, to tell when a rebuild is due.
    const FontRecord& font() const { return font_; }

    // Draws the text's characters at the model point, unlit, in the colour.
    // Bytes above 127 draw nothing; without a set nothing is drawn.
    void drawText(std::uint32_t colour, Vec3 rasterPoint, std::string_view text) const;

  private:
    unsigned base_ = 0;
    FontRecord font_;
};
