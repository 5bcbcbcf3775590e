#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/vec3.h"
#include "model/element_kind.h"
#include "model/font_record.h"
#include "model/kind_style.h"
#include "model/recompute_context.h"
#include "model/type_codes.h"

class Canvas;
class Construction;
class InputStream;
class OutputStream;
struct ScreenTextContext;

// A name holds at most this many bytes (Windows-1252, one byte a character).
// Longer names are cut through setName and refused by the file reader.
inline constexpr std::size_t kMaxNameLength = 99;

// Window position and pick ray handed to hitTest.
struct PickRay {
    Vec3 nearPoint;
    Vec3 farPoint;
};

// What a group leader generates after itself, in order: numbers, vertices, face
// polygons of verticesPerFace vertices each. The codes are in the leader's row.
struct GroupLayout {
    int numbers = 0;
    int vertices = 0;
    int faces = 0;
    int verticesPerFace = 0;

    int count() const { return numbers + vertices + faces; }
};

// The base record of every element: how it is defined (type code and parents),
// how it looks, and the flags the construction, the view and the tools read.
// Each element kind derives from it and implements the virtual operations.
class Element {
  public:
    // Makes a fresh element of a listed type code with the style of its kind.
    // parentCountGiven is used only for the variable-count codes.
    Element(TypeCode typeCode, const KindStyle& style, int parentCountGiven = 0);
    virtual ~Element();

    Element& operator=(const Element&) = delete;

    // A copy of the same class: everything but `selected`, with its own name.
    virtual std::unique_ptr<Element> clone() const = 0;

    // Recomputes the element's data from its parents and sets `defined`.
    // Called only when every parent is defined, from the construction's own
    // walks; loci and iterations re-run parts of the construction through it.
    virtual void recompute(Construction& construction, const RecomputeContext& context) = 0;
    virtual void draw(std::uint32_t colour, int projection, Canvas& canvas) = 0;
    virtual void drawLabel(Canvas& canvas, std::uint32_t labelColour);
    // 1 when the element lies under window point (x, y); then hitPoint is set.
    virtual int hitTest(int x, int y, const PickRay& ray, int projection, Vec3& hitPoint) = 0;
    // A quick test before hitTest where only a hit matters (the hover): false
    // only when hitTest would surely report no hit for the ray. Some kinds report
    // their nearest point on a miss, which callers that slide points need; this
    // test says nothing about that.
    virtual bool mayHit(const PickRay& ray, int projection) const {
        (void)ray;
        (void)projection;
        return true;
    }
    // Numbers, coordinates and texts place their box in the window from their
    // data and the screen's texts; drawing and picking use that box, so an
    // element never drawn can be picked once laid out. Other kinds have none.
    virtual void layoutScreenText(const ScreenTextContext&) {}
    // The element's file record; the base writes the common part.
    virtual int write(OutputStream& out) const;
    // Reads the record after the type code and parent count; 0 when the stream failed.
    virtual int read(InputStream& in, int fileVersion);
    // Three points spanning the element's plane; all zero for elements in no plane.
    virtual std::array<Vec3, 3> supportPlane() const;
    // The parameters of a point of the element, for points on objects; 0 when unsupported.
    virtual int parameterOf(const Vec3& point, double& param1, double& param2) const;
    // The inverse: the point of the element at the given parameters; 0 when unsupported.
    virtual int pointAt(double param1, double param2, Vec3& point) const;

    // What a group leader generates; nothing for every other element.
    virtual GroupLayout groupLayout() const { return {}; }
    // Generated elements that follow a group leader in its construction.
    virtual int subElementCount() const { return groupLayout().count(); }
    // An estimate of the memory the element holds, for the undo history's
    // budget: a record of typical size with its parents and name. Kinds that
    // keep large data (samples, vertices, private copies, rich text) add it.
    virtual std::size_t memoryBytes() const;
    // Text the construction list adds after the parents (a calculation's expression).
    virtual std::string listSuffix() const { return {}; }
    // The font of numbers and coordinates; other kinds ignore it.
    virtual void setFont(const FontRecord&) {}
    // Numbers (kind 18) answer these, so that the kinds below them can read a
    // number parent and loci can run a parameter through its range; every other
    // kind keeps the defaults. currentValue is false while the value is not valid.
    virtual bool currentValue(double& value) const;
    virtual bool parameterRange(double& minimum, double& maximum) const;
    virtual void setParameterValue(double value);

    TypeCode typeCode() const { return typeCode_; }
    ElementKind kind() const { return kind_; }
    int parentCount() const { return static_cast<int>(parents.size()); }

    bool hasName() const { return name_.has_value(); }
    const std::optional<std::string>& name() const { return name_; }
    // Sets the name, cut to kMaxNameLength bytes; an empty text removes it.
    void setName(std::string_view text);
    void clearName() { name_.reset(); }

    std::int32_t key = -1;
    std::int32_t mark = 0;
    std::int32_t savedSelection = 0;
    std::vector<Element*> parents;  // not owned; the construction owns every element
    std::vector<std::int32_t> parentKeys;
    std::int32_t size = 0;
    std::int32_t shape = 0;
    std::uint32_t colour = 0;
    std::int32_t defined = 0;
    std::int32_t visible = 1;
    std::int32_t macroIntermediate = 0;
    std::int32_t selected = 0;
    std::int32_t iterationMember = 0;
    std::int32_t showLabel = 1;

  protected:
    // Copies the base record by the copy rules; classes copy their own data after it.
    Element(const Element& other);

    // The common part of the file record, for classes that write their own part after it.
    int writeBase(OutputStream& out) const;
    int readBase(InputStream& in, int fileVersion);

  private:
    friend class Construction;

    TypeCode typeCode_;
    ElementKind kind_;
    std::optional<std::string> name_;
    int listIndex_ = -1;  // position in the owning construction, kept by the construction
};

using ElementPtr = std::unique_ptr<Element>;

// Whether a parent is present and defined; unresolved parents count as undefined.
inline bool isDefined(const Element* e) {
    return e != nullptr && e->defined != 0;
}
