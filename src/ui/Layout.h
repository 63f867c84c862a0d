#pragma once
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "gfx/Surface.h"
#include "platform/Geometry.h"
#include "ui/LayoutControl.h"

class CDisplay;
class CReadFile;

// A loaded .scn layout: an optional background image and named controls in file order. File order is
// the drawing order and the order of name lookup. Every image is loaded once into the layout's cache
// even when several controls name it. An empty layout (a file that could not be opened) draws and
// finds nothing.
class CLayout {
 public:
  // Reads the file through the file layer; images are resolved against the file's folder. A file that
  // cannot be opened is reported with "%s ファイルが開けません" and leaves the layout empty (false).
  bool Load(CDisplay& display, const std::string& path);

  // The index of the first control with exactly that name, or -1.
  int FindControl(std::string_view name) const;
  // The first such control's rectangle, or an all-zero rectangle.
  SRect GetControlRect(std::string_view name) const;
  // The size of the first such control's image; 0, 0 when the control or its image is missing.
  void GetImageSize(std::string_view name, int& width, int& height) const;

  // Draws the background (for the empty name) and every control with exactly that name, with the
  // given opacity (0.0 to 1.0), cell of the image sheet and slider position, into the screen buffer
  // clipped to its dirty spans.
  void Draw(std::string_view name, float opacity = 1.0f, int cell = 0, float slider = 0.0f) const;
  // Draws the background and every control.
  void DrawAll(float opacity = 1.0f) const;
  // Marks the whole screen dirty when there is a background, then every control's rectangle; returns
  // the number of controls.
  int Invalidate() const;
  // Keyboard navigation over the listed controls in reading order (by top, then left): the position in
  // names of the control step places after the current one, wrapping; the first in reading order when
  // current is -1. Names without a rectangle are passed over; a current position not among the
  // listed controls comes back unchanged, and -1 when no listed control exists.
  int NextControl(const std::vector<std::string>& names, int current, int step) const;

  int ControlCount() const { return static_cast<int>(controls.size()); }
  const CLayoutControl& Control(int index) const { return *controls[index]; }
  const CSurface* Background() const { return background; }

 private:
  void Parse(CReadFile& file);
  void ReadControl(CReadFile& file, CLayoutControl& control);
  const CSurface* LoadImage(const std::string& name);
  // Draws the background and the controls of that name, or everything when name is null.
  void DrawMatching(const std::string_view* name, float opacity, int cell, float slider) const;
  void DrawControl(const CLayoutControl& control, float opacity, int cell, float slider) const;

  CDisplay* display = nullptr;
  std::map<std::string, std::unique_ptr<CSurface>> images;
  std::vector<std::unique_ptr<CLayoutControl>> controls;
  const CSurface* background = nullptr;
};
