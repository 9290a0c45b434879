#pragma once
// The main window's layout in twips (1/1440 inch) and the text control's resize rule.

namespace qor {

struct TwipRect {
  int left;
  int top;
  int width;
  int height;
};

struct TwipSize {
  int width;
  int height;
};

// The client area at start, and the places of the fixed controls in it.
inline constexpr TwipSize kClientSize{11355, 7635};
inline constexpr TwipRect kLblSayPlace{180, 105, 4365, 495};
inline constexpr TwipRect kCmdUdPlaces[] = {
    {4725, 150, 1050, 360}, {5820, 150, 960, 360}, {6825, 150, 960, 360}, {7830, 150, 1050, 360}};
inline constexpr TwipRect kCmdSeekPlaces[] = {{9270, 150, 960, 360}, {10275, 150, 960, 360}};
// The text control's corner; its size follows the client area.
inline constexpr int kTextLeft = 100;
inline constexpr int kTextTop = 650;

// The input box: its client area below the menu bar, the editor and the two buttons.
inline constexpr TwipSize kInputBoxSize{6555, 3435};
inline constexpr TwipRect kInputEditorPlace{180, 180, 6180, 2310};
inline constexpr TwipRect kInputOkPlace{1575, 2760, 1500, 465};
inline constexpr TwipRect kInputCancelPlace{3795, 2760, 1500, 465};

// Twips to pixels and back at a logical resolution in dots per inch, rounded to nearest.
[[nodiscard]] int TwipsToPixels(int twips, double dpi);
[[nodiscard]] int PixelsToTwips(int pixels, double dpi);

// The text control's size after the client area became `client`: the width becomes W - 200 and
// the height H - 750 where that is positive; otherwise the dimension keeps its current value.
[[nodiscard]] TwipSize TextSizeAfterResize(TwipSize client, TwipSize current);

}  // namespace qor
