#include "reports/PageGeometry.hpp"

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <tuple>

namespace tipolaria {
namespace {

constexpr double kPointsPerTwip = 1.0 / 20.0;
// A caption keeps this far inside its frame or box, at the sides and at
// the top (twips).
constexpr std::int32_t kCaptionInsetX = 20;
constexpr std::int32_t kCaptionInsetTop = 10;
// Room kept between a frame line and the text below it: the font's ascent
// already leaves room above the capitals (twips). Above a line the text
// needs none beyond its descent.
constexpr std::int32_t kClearanceBelow = 10;
// How far inside a box a frame line may lie and still run along its edge;
// a line deeper inside would cross the text, which no layout of this
// system asks for (twips).
constexpr std::int32_t kReach = 100;

// One edge of the frame, in twips.
struct Edge {
  bool vertical = false;
  std::int32_t pos = 0;   // x of a vertical edge, y of a horizontal one
  std::int32_t from = 0;  // extent along the edge, from <= to
  std::int32_t to = 0;
  bool line = false;     // a line of the layout rather than a side of a frame
  bool leading = false;  // the left or top side of a frame
};

// Length of the overlap of [a1, a2] and [b1, b2]; negative: the gap
// between them.
std::int32_t Overlap(std::int32_t a1, std::int32_t a2, std::int32_t b1, std::int32_t b2) {
  return std::min(a2, b2) - std::max(a1, b1);
}

Edge Vertical(std::int32_t x, std::int32_t y1, std::int32_t y2, bool line, bool leading) {
  return Edge{true, x, std::min(y1, y2), std::max(y1, y2), line, leading};
}

Edge Horizontal(std::int32_t y, std::int32_t x1, std::int32_t x2, bool line, bool leading) {
  return Edge{false, y, std::min(x1, x2), std::max(x1, x2), line, leading};
}

bool IsFramedCaption(const LayoutControl& c) { return c.type == ControlType::kLabel && c.framed; }

// The edges of the frame: each line, and the sides of each framed caption
// (left, right, top, bottom; `first_edge` gives the index of the left one,
// or -1 for a control without a frame).
std::vector<Edge> CollectEdges(const std::vector<LayoutControl>& controls,
                               std::vector<int>& first_edge) {
  std::vector<Edge> edges;
  first_edge.assign(controls.size(), -1);
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const LayoutControl& c = controls[i];
    if (c.type == ControlType::kLine) {
      if (c.width == 0) {
        edges.push_back(Vertical(c.left, c.top, c.bottom(), true, false));
      } else if (c.height == 0) {
        edges.push_back(Horizontal(c.top, c.left, c.right(), true, false));
      }
    } else if (IsFramedCaption(c)) {
      first_edge[i] = static_cast<int>(edges.size());
      edges.push_back(Vertical(c.left, c.top, c.bottom(), false, true));
      edges.push_back(Vertical(c.right(), c.top, c.bottom(), false, false));
      edges.push_back(Horizontal(c.top, c.left, c.right(), false, true));
      edges.push_back(Horizontal(c.bottom(), c.left, c.right(), false, false));
    }
  }
  return edges;
}

int Root(std::vector<int>& parent, int i) {
  while (parent[i] != i) i = parent[i] = parent[parent[i]];
  return i;
}

// Whether edges merged with edge `b` should be drawn where edge `a` is
// rather than where `b` is: a line of the layout comes first; then the left
// or top side of a cell, where the layout anchors the cell and its caption
// (the right and bottom sides follow from the widths and heights); then the
// edge further left or up.
bool Prevails(const Edge& a, const Edge& b) {
  return std::make_tuple(a.line, a.leading, -a.pos) > std::make_tuple(b.line, b.leading, -b.pos);
}

// The position each edge is drawn at: parallel edges that lie within
// kMergeDistance of each other and run along each other (or end to end with
// no more than that gap) form one line, drawn where its prevailing edge is.
std::vector<std::int32_t> MergedPositions(const std::vector<Edge>& edges) {
  const int count = static_cast<int>(edges.size());
  std::vector<int> parent(edges.size());
  std::iota(parent.begin(), parent.end(), 0);
  for (int a = 0; a < count; ++a) {
    for (int b = a + 1; b < count; ++b) {
      const Edge& ea = edges[a];
      const Edge& eb = edges[b];
      if (ea.vertical == eb.vertical && std::abs(ea.pos - eb.pos) <= PageGeometry::kMergeDistance &&
          Overlap(ea.from, ea.to, eb.from, eb.to) >= -PageGeometry::kMergeDistance) {
        parent[Root(parent, a)] = Root(parent, b);
      }
    }
  }
  std::vector<int> prevailing(edges.size(), -1);
  for (int e = 0; e < count; ++e) {
    int& best = prevailing[Root(parent, e)];
    if (best < 0 || Prevails(edges[e], edges[best])) best = e;
  }
  std::vector<std::int32_t> merged(edges.size());
  for (int e = 0; e < count; ++e) merged[e] = edges[prevailing[Root(parent, e)]].pos;
  return merged;
}

// Where an end of `edge` is drawn: where the nearest edge across it that it
// meets (within kMergeDistance) is drawn, so that corners stay closed.
std::int32_t MergedEnd(const std::vector<Edge>& edges, const std::vector<std::int32_t>& merged,
                       const Edge& edge, std::int32_t end) {
  std::int32_t best_distance = PageGeometry::kMergeDistance + 1;
  std::int32_t result = end;
  for (std::size_t i = 0; i < edges.size(); ++i) {
    const Edge& across = edges[i];
    if (across.vertical == edge.vertical) continue;
    const std::int32_t distance = std::abs(across.pos - end);
    if (distance < best_distance && edge.pos >= across.from - PageGeometry::kMergeDistance &&
        edge.pos <= across.to + PageGeometry::kMergeDistance) {
      best_distance = distance;
      result = merged[i];
    }
  }
  return result;
}

// The lines to draw: every edge at its merged position and with its merged
// ends, and the pieces of one line that overlap or touch joined. A line of
// the layout is drawn at least as long as the layout gives it: an end that
// stops short of a line across it reaches on to close the corner, but an
// end never falls back to where an edge it runs past is drawn (Line10 to
// Line12 begin at 745, past the cells' side at 760, where the band's side at
// 740 is drawn).
std::vector<Edge> DrawnLines(const std::vector<Edge>& edges,
                             const std::vector<std::int32_t>& merged) {
  std::vector<Edge> pieces;
  for (std::size_t i = 0; i < edges.size(); ++i) {
    Edge piece = edges[i];
    piece.pos = merged[i];
    std::int32_t from = MergedEnd(edges, merged, edges[i], edges[i].from);
    std::int32_t to = MergedEnd(edges, merged, edges[i], edges[i].to);
    if (edges[i].line) {
      from = std::min(from, edges[i].from);
      to = std::max(to, edges[i].to);
    }
    // An edge shorter than the distances its ends move keeps its own ends.
    if (from < to) {
      piece.from = from;
      piece.to = to;
    }
    pieces.push_back(piece);
  }
  std::sort(pieces.begin(), pieces.end(), [](const Edge& a, const Edge& b) {
    return std::make_tuple(a.vertical, a.pos, a.from) < std::make_tuple(b.vertical, b.pos, b.from);
  });
  std::vector<Edge> lines;
  for (const Edge& piece : pieces) {
    if (!lines.empty() && lines.back().vertical == piece.vertical &&
        lines.back().pos == piece.pos && piece.from <= lines.back().to) {
      lines.back().to = std::max(lines.back().to, piece.to);
    } else {
      lines.push_back(piece);
    }
  }
  return lines;
}

struct Box {
  std::int32_t left;
  std::int32_t top;
  std::int32_t right;
  std::int32_t bottom;
};

// The part of `own` that keeps clear of the frame lines that run inside it
// along its edges: the line of the cell a caption without a frame sits in.
// A line outside the box is left alone: the text keeps all of its box. A
// line that would leave less than half of the box runs through it rather
// than along an edge: the box then stays as it is.
Box ClearOfFrame(const Box& own, const std::vector<Edge>& lines) {
  Box box = own;
  for (const Edge& line : lines) {
    if (!line.vertical || line.pos < own.left || line.pos > own.right ||
        Overlap(line.from, line.to, own.top, own.bottom) <= PageGeometry::kClearance) {
      continue;
    }
    if (line.pos < own.left + kReach) {
      box.left = std::max(box.left, line.pos + PageGeometry::kClearance);
    }
    if (line.pos > own.right - kReach) {
      box.right = std::min(box.right, line.pos - PageGeometry::kClearance);
    }
  }
  for (const Edge& line : lines) {
    if (line.vertical || line.pos < own.top || line.pos > own.bottom ||
        Overlap(line.from, line.to, box.left, box.right) <= PageGeometry::kClearance) {
      continue;
    }
    if (line.pos < own.top + kReach) box.top = std::max(box.top, line.pos + kClearanceBelow);
    if (line.pos > own.bottom - kReach) box.bottom = std::min(box.bottom, line.pos);
  }
  if (2 * (box.right - box.left) < own.right - own.left) {
    box.left = own.left;
    box.right = own.right;
  }
  if (2 * (box.bottom - box.top) < own.bottom - own.top) {
    box.top = own.top;
    box.bottom = own.bottom;
  }
  return box;
}

TextArea AreaOf(const Box& box, const LayoutControl& c) {
  return TextArea{box.left * kPointsPerTwip, box.top * kPointsPerTwip,
                  TextBox{(box.right - box.left) * kPointsPerTwip,
                          (box.bottom - box.top) * kPointsPerTwip, c.font_size, c.align}};
}

}  // namespace

PageGeometry::PageGeometry(const std::vector<LayoutControl>& controls) {
  std::vector<int> first_edge;
  const std::vector<Edge> edges = CollectEdges(controls, first_edge);
  const std::vector<std::int32_t> merged = MergedPositions(edges);
  const std::vector<Edge> lines = DrawnLines(edges, merged);
  for (const Edge& line : lines) {
    const double pos = line.pos * kPointsPerTwip;
    const double from = line.from * kPointsPerTwip;
    const double to = line.to * kPointsPerTwip;
    frame_.push_back(line.vertical ? FrameLine{pos, from, pos, to} : FrameLine{from, pos, to, pos});
  }

  text_areas_.resize(controls.size());
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const LayoutControl& c = controls[i];
    const Box own{c.left, c.top, c.right(), c.bottom()};
    if (c.type == ControlType::kLine || c.type == ControlType::kImage) continue;
    if (c.type == ControlType::kLabel && c.style == LabelStyle::kRotated) {
      text_areas_[i] = TextArea{
          c.left * kPointsPerTwip, c.top * kPointsPerTwip,
          TextBox{c.height * kPointsPerTwip, c.width * kPointsPerTwip, c.font_size, c.align}};
    } else if (c.type == ControlType::kLabel && c.style != LabelStyle::kCaption) {
      text_areas_[i] = AreaOf(own, c);
    } else if (IsFramedCaption(c)) {
      // Inside the frame as drawn, which may lie a little inside the
      // caption's own box.
      const int e = first_edge[i];
      const Box inside{std::max(own.left, merged[e]) + kCaptionInsetX,
                       std::max(own.top, merged[e + 2]) + kCaptionInsetTop,
                       std::min(own.right, merged[e + 1]) - kCaptionInsetX,
                       std::min(own.bottom, merged[e + 3])};
      text_areas_[i] = AreaOf(inside, c);
    } else if (c.type == ControlType::kLabel) {
      // A caption without a frame keeps the same insets, from the lines
      // that rule its cell.
      const Box inset{own.left + kCaptionInsetX, own.top + kCaptionInsetTop,
                      own.right - kCaptionInsetX, own.bottom};
      text_areas_[i] = AreaOf(ClearOfFrame(inset, lines), c);
    } else {
      // A field prints in its box exactly as the layout places it, also
      // where the box lies against or across a line of the frame (c12, c16
      // and c20 begin left of the form's left line, c138 just above
      // Line14): that is the form as laid out, and every field of one size
      // then shows its text at the same place in its box.
      text_areas_[i] = AreaOf(own, c);
      text_areas_[i].box.holds_fitted_lines = c.fitted;
    }
  }
}

}  // namespace tipolaria
