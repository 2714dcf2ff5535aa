#include "skin/look/skin_preview.h"

#include <algorithm>

#include "skin/look/caption_visibility.h"
#include "skin/look/composition.h"
#include "skin/look/control_painter.h"
#include "skin/look/menu_painter.h"
#include "skin/look/skin_frame.h"

namespace vc {

namespace {

int StateWidth(const TDataSkinObject& o) { return o.Map.Width() / o.FrameCount(); }
bool Drawable(const TDataSkinObject* o) { return o && !o->Map.Empty(); }

// The colours of fields the skin does not paint (edits, lists): the
// system's usual window colours.
constexpr Colour kWindow = 0xFFFFFF;
constexpr Colour kWindowText = 0x000000;
// What shows where the window's region cuts the frame away.
constexpr Colour kDesktop = 0xF2F4F4;

// Draws one mock window; each part of it is a method, top to bottom.
class PreviewPainter {
public:
    PreviewPainter(TSkinData& data, const SkinPreviewArgs& args)
        : data_(data),
          active_(args.active),
          width_(std::max(args.width, 1)),
          height_(std::max(args.height, 1)),
          frame_(SkinFrameSizes(data)) {
        preview_.image = Bitmap(width_, height_, PixelFromColour(data.ButtonFaceColour()));
        client_ = Rect{frame_.left, frame_.top, width_ - frame_.right, height_ - frame_.bottom};
    }

    SkinPreview Paint() {
        PaintFrame();
        const int band_bottom = PaintMenuBand(client_.top);
        const int tools_bottom = PaintToolBar(band_bottom);
        const int status_top = PaintStatusBar();
        const Rect content{client_.left, tools_bottom, client_.right, status_top};
        const int scroll_left = PaintVerticalScrollBar(content);
        PaintButtonsGroup(Rect{content.left, content.top, content.left + 180, content.bottom}, band_bottom);
        PaintTabbedPane(Rect{content.left + 190, content.top, scroll_left, content.bottom});
        PaintOpenMenu(band_bottom);
        return std::move(preview_);
    }

private:
    Bitmap& Canvas() { return preview_.image; }

    Colour Resolved(Colour c) const { return data_.ResolveColour(c); }

    void Label(const Rect& r, const std::string& text, Colour colour, PreviewLabel::Align align,
               int font_height = 12, bool bold = false) {
        preview_.labels.push_back(PreviewLabel{r, text, Resolved(colour), font_height, align, bold});
    }

    // State image k of an object stretched by its margins over r.
    void DrawObject(const TDataSkinObject* o, const Rect& r, int k) {
        if (!Drawable(o) || r.IsEmpty()) return;
        DrawNineSlice(Canvas(), r, o->Map, false, o->Tiled(), o->Keyed(), o->FrameCount(),
                      std::clamp(k, 1, o->FrameCount()), o->GetMargins());
    }

    FrameLayout Layout() const {
        FrameWindow window;
        window.width = width_;
        window.height = height_;
        window.caption.active = active_;
        return FrameLayout(data_, window);
    }

    // The frame as the skinned frame paints it, caption buttons included.
    // Where the window's region leaves a transparent side out, the desktop
    // shows.
    void PaintFrame() {
        const FrameLayout layout = Layout();
        const FramePicture picture = vc::PaintFrame(data_, layout);
        const FrameSizes& f = layout.Sizes();
        Blit(Canvas(), 0, 0, picture.title, picture.title.Bounds());
        Blit(Canvas(), 0, f.top, picture.left, picture.left.Bounds());
        Blit(Canvas(), width_ - f.right, f.top, picture.right, picture.right.Bounds());
        Blit(Canvas(), f.left, height_ - f.bottom, picture.bottom, picture.bottom.Bounds());
        const FrameRegion region = BuildFrameRegion(data_, layout);
        if (!region.whole) {
            std::vector<bool> kept(static_cast<std::size_t>(width_) * height_, false);
            for (const Rect& r : region.rects) {
                const Rect c = r.Intersect(Canvas().Bounds());
                for (int y = c.top; y < c.bottom; ++y)
                    for (int x = c.left; x < c.right; ++x) kept[static_cast<std::size_t>(y) * width_ + x] = true;
            }
            for (int y = 0; y < height_; ++y)
                for (int x = 0; x < width_; ++x)
                    if (!kept[static_cast<std::size_t>(y) * width_ + x]) Canvas().Set(x, y, PixelFromColour(kDesktop));
        }
        const CaptionTextStyle caption = CaptionText(data_, layout);
        Label(caption.area, "Tour of Vellumcast", caption.colour, caption.align, caption.font_height, true);
    }

    int PaintMenuBand(int top) {
        const int h = 20;
        const Rect band{client_.left, top, client_.right, top + h};
        vc::PaintMenuBand(Canvas(), band, data_, active_);
        const Bitmap background = CopyRect(Canvas(), band);
        const char* items[] = {"File", "Edit", "View", "Help"};
        int x = band.left + 2;
        for (int i = 0; i < 4; ++i) {
            TMenuBtn item;
            item.bounds = Rect::FromSize(x, band.top, 44, h);
            item.state = i == 1 ? NcState::Pressed : NcState::Normal;
            const Colour colour = PaintMenuButton(Canvas(), item, background, Point{band.left, band.top}, data_);
            Label(item.bounds, items[i], colour, PreviewLabel::Align::Centre);
            if (i == 1) open_menu_left_ = item.bounds.left;
            x += 44;
        }
        return band.bottom;
    }

    // The tool bar with a few tool buttons. Its background is the derived
    // gradient unless the options keep the plain face colour there.
    int PaintToolBar(int top) {
        const Rect bar{client_.left, top, client_.right, top + 30};
        PaintToolBarBackground(Canvas(), data_, bar);
        const char* glyphs[] = {"\xE2\x97\x80", "\xE2\x96\xB6", "\xE2\x8C\x82", "\xE2\x86\xBB"};  // back, forward, home, refresh
        const int states[] = {1, 2, 3, 1};
        for (int i = 0; i < 4; ++i) {
            const Rect r = Rect::FromSize(bar.left + 4 + 30 * i, bar.top + 2, 26, 26);
            PaintToolButton(Canvas(), data_, r, states[i]);
            Label(r, glyphs[i], data_.Colours().ButtonText, PreviewLabel::Align::Centre, 13);
        }
        return bar.bottom;
    }

    int PaintStatusBar() {
        const TDataSkinObject* edges = data_.FindObject("StatusBarEdges");
        if (!Drawable(edges)) return client_.bottom;
        const int h = std::max(edges->Map.Height(), 22);
        const Rect bar{client_.left, client_.bottom - h, client_.right, client_.bottom};
        Canvas().FillRect(bar, PixelFromColour(data_.ButtonFaceColour()));
        const Rect first{bar.left, bar.top, std::min(bar.left + 150, bar.right), bar.bottom};
        const Rect rest{first.right + 2, bar.top, bar.right, bar.bottom};
        PaintStatusPanel(Canvas(), data_, first, 1);
        PaintStatusPanel(Canvas(), data_, rest, 1);
        const Colour text = StatusTextColour(data_);
        Label(Rect{first.left + 6, first.top, first.right - 4, first.bottom}, "Ready", text, PreviewLabel::Align::Left);
        Label(Rect{rest.left + 6, rest.top, rest.right - 20, rest.bottom}, "Chapter 2 of 4", text,
              PreviewLabel::Align::Left);
        PaintSizeGrip(Canvas(), data_, bar);
        return bar.top;
    }

    // A scroll bar with its thumb a third of the track long, half its own
    // length from the track's start.
    void PaintScrollBar(const Rect& r, bool vertical) {
        const TDataSkinObject* arrows = data_.FindObject("Scrollbar");
        if (!Drawable(arrows)) return;
        const int length = vertical ? r.Height() : r.Width();
        const int arrow = arrows->Map.Height();
        const int thumb = (length - 2 * arrow) / 3;
        const ScrollBarParts parts =
            LayoutScrollBar(data_, r, vertical, arrow, arrow + thumb / 2, arrow + thumb / 2 + thumb);
        vc::PaintScrollBar(Canvas(), data_, parts, vertical, ScrollBarLook{});
    }

    // Returns where the content left of the bar ends.
    int PaintVerticalScrollBar(const Rect& content) {
        const TDataSkinObject* arrows = data_.FindObject("Scrollbar");
        if (!Drawable(arrows)) return content.right;
        const int w = StateWidth(*arrows);
        PaintScrollBar(Rect{content.right - w, content.top, content.right, content.bottom}, true);
        return content.right - w;
    }

    // Push buttons in their five states inside a group box, below the
    // space the open menu takes.
    void PaintButtonsGroup(const Rect& column, int band_bottom) {
        const int top = std::max(column.top + 8, band_bottom + 150);
        const Rect box{column.left + 10, top, column.right - 6, std::min(top + 190, column.bottom - 8)};
        if (box.Height() < 60) return;
        const Rect caption = Rect::FromSize(box.left + 8, box.top, 64, 15);
        PaintGroupBox(Canvas(), data_, box, caption, true);
        Label(caption, "Buttons", data_.Colours().ButtonText, PreviewLabel::Align::Centre);

        // 1 normal, 5 focused, 4 hot, 2 pressed, 3 disabled.
        const struct {
            int state;
            const char* text;
        } buttons[] = {{1, "Normal"}, {5, "Default"}, {4, "Hot"}, {2, "Pressed"}, {3, "Disabled"}};
        int y = box.top + 22;
        for (const auto& b : buttons) {
            const Rect r = Rect::FromSize(box.left + 14, y, box.Width() - 28, 25);
            if (r.bottom > box.bottom - 4) break;
            PaintPushButton(Canvas(), data_, r, b.state);
            Colour text = b.state == 3 ? data_.Colours().ButtonShadow : data_.Colours().ButtonText;
            const int index = b.state == 4 ? data_.Buttons().MouseOverColour
                              : b.state == 2 ? data_.Buttons().PressedColour
                                             : data_.Buttons().NormalColour;
            if (b.state != 3 && index >= 0 && index < static_cast<int>(data_.Palette().size()))
                text = data_.Palette()[index];
            Label(b.state == 2 ? Rect{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1} : r, b.text, text,
                  PreviewLabel::Align::Centre);
            y += 32;
        }
    }

    // Three tabs over a pane of controls, and a horizontal scroll bar.
    void PaintTabbedPane(const Rect& area) {
        if (area.Width() < 120) return;
        const Rect inner{area.left + 4, area.top + 10, area.right - 10, area.bottom - 32};
        const char* names[] = {"Reading", "Look", "About"};
        const int states[] = {3, 2, 1};  // selected, hot, normal
        for (int i = 0; i < 3; ++i) {
            const bool selected = states[i] == 3;
            const Rect r = Rect::FromSize(inner.left + 2 + 84 * i, inner.top + (selected ? 0 : 3), 84, selected ? 26 : 23);
            PaintTab(Canvas(), data_, r, states[i]);
            Label(r, names[i], data_.Colours().ButtonText, PreviewLabel::Align::Centre, 12, selected);
        }
        const Rect pane{inner.left, inner.top + 25, inner.right, inner.bottom};
        PaintTabPane(Canvas(), data_, pane);
        PaneControls(Rect{pane.left + 16, pane.top + 14, pane.right - 16, pane.bottom - 10});
        const TDataSkinObject* arrows = data_.FindObject("Scrollbar");
        const int h = Drawable(arrows) ? arrows->Map.Height() : 17;
        PaintScrollBar(Rect{area.left + 4, area.bottom - h - 8, area.right - 10, area.bottom - 8}, false);
    }

    void PaneControls(const Rect& r) {
        int y = r.top;
        const TDataSkinButton& buttons = data_.Buttons();
        const auto choice = [&](bool radio, const char* off, const char* on) {
            const Bitmap& image = radio ? buttons.RadioMap : buttons.CheckMap;
            const int frames = radio ? buttons.RadioFrame : buttons.CheckFrame;
            if (image.Empty() || frames < 1) return;
            int x = r.left;
            for (CheckMark mark : {CheckMark::Unchecked, CheckMark::Checked}) {
                const Rect row = Rect::FromSize(x, y, 130, image.Height());
                const Rect text = PaintCheckBox(Canvas(), data_, row, radio, CheckBoxImage(mark, ControlState{}, frames));
                Label(Rect{text.left + 2, y - 2, text.left + 106, y + image.Height() + 2},
                      mark == CheckMark::Unchecked ? off : on, data_.Colours().ButtonText, PreviewLabel::Align::Left);
                x += 140;
            }
            y += std::max(image.Height(), 14) + 12;
        };
        choice(false, "Show pictures", "Remember page");
        choice(true, "Serif", "Sans serif");

        // A combo box: the edit frame with its drop-down button.
        if (const auto* combo = data_.FindObject("ComboButton"); Drawable(combo)) {
            const Rect box = Rect::FromSize(r.left, y, std::min(200, r.Width()), 21);
            // The skin frames the field; inside it the combo box keeps the
            // window colours.
            Canvas().FillRect(Rect{box.left + 2, box.top + 2, box.right - 2, box.bottom - 2}, PixelFromColour(kWindow));
            PaintComboBox(Canvas(), data_, box, 1);
            Label(Rect{box.left + 5, box.top, box.right - 24, box.bottom}, "Chapter 2: Commands", kWindowText,
                  PreviewLabel::Align::Left);
            PaintSpinEdit(Rect::FromSize(box.right + 20, y, 58, 21));
            y += 33;
        }

        // A track bar: the channel and a thumb two fifths along.
        if (const auto* channel = data_.FindObject("Track"); Drawable(channel)) {
            const int h = channel->Map.Height();
            const Rect track = Rect::FromSize(r.left, y + 10 - h / 2, std::min(200, r.Width()), h);
            const auto* thumb = data_.FindObject("Trackbar.ThumbHorz");
            const int w = Drawable(thumb) ? StateWidth(*thumb) : 0;
            PaintTrackBar(Canvas(), data_, track, Rect::FromSize(track.left + track.Width() * 2 / 5 - w / 2, y, w, 20),
                          false, 1);
            y += 30;
        }

        // A progress bar, sixty per cent done.
        if (const auto* progress = data_.FindObject("Progress"); Drawable(progress)) {
            const Rect frame = Rect::FromSize(r.left, y, std::min(260, r.Width()), 18);
            PaintProgress(Canvas(), data_, frame, 0, 100, 60, false);
            y += 30;
        }
        PaintList(Rect{r.left, y, std::min(r.left + 330, r.right), r.bottom});
    }

    // An edit field framed as skinned edits are: the skin draws only the
    // frame, the field keeps the system's window colours.
    Rect PaintEdit(const Rect& r) {
        PaintEditBorder(Canvas(), data_, r, 1);
        const Rect inside{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
        Canvas().FillRect(inside, PixelFromColour(kWindow));
        return inside;
    }

    // A number field with up and down buttons: the first and fifth images
    // of the vertical pair, each with its glyph.
    void PaintSpinEdit(const Rect& r) {
        const auto* spin = data_.FindObject("UpDown.Vert");
        if (!Drawable(spin) || r.right > client_.right) return;
        const int w = StateWidth(*spin);
        const Rect edit{r.left, r.top, r.right - w, r.bottom};
        const Rect text = PaintEdit(edit);
        Label(Rect{text.left, text.top, text.right - 4, text.bottom}, "12", kWindowText,
              PreviewLabel::Align::Right);
        const int half = r.Height() / 2;
        PaintUpDownButton(Canvas(), data_, Rect{edit.right, r.top, r.right, r.top + half}, false,
                          UpDownImage(false, ControlState{}));
        PaintUpDownButton(Canvas(), data_, Rect{edit.right, r.top + half, r.right, r.bottom}, false,
                          UpDownImage(true, ControlState{}));
    }

    // A list with column headers, one row selected.
    void PaintList(const Rect& r) {
        const auto* header = data_.FindObject("Headerbar");
        if (r.Height() < 60 || !Drawable(header)) return;
        const Rect inside = PaintEdit(Rect{r.left, r.top, r.right, std::min(r.bottom, r.top + 96)});
        const char* columns[] = {"Chapter", "Pages", "Read"};
        const int widths[] = {inside.Width() - 140, 70, 70};
        int x = inside.left;
        for (int i = 0; i < 3; ++i) {
            const Rect cell = Rect::FromSize(x, inside.top, widths[i], 20);
            PaintHeaderItem(Canvas(), data_, cell, i == 1 ? 2 : 1);
            Label(Rect{cell.left + 6, cell.top, cell.right - 4, cell.bottom}, columns[i], data_.Colours().ButtonText,
                  PreviewLabel::Align::Left);
            x = cell.right;
        }
        const char* rows[][3] = {{"1. A first book", "12", "yes"}, {"2. Commands", "18", "yes"}, {"3. Menus", "9", ""}};
        int y = inside.top + 21;
        for (int row = 0; row < 3 && y + 18 <= inside.bottom; ++row) {
            const bool selected = row == 1;
            if (selected) Canvas().FillRect(Rect{inside.left, y, inside.right, y + 18}, PixelFromColour(Resolved(data_.Colours().Hilight)));
            x = inside.left;
            for (int i = 0; i < 3; ++i) {
                Label(Rect{x + 6, y, x + widths[i] - 4, y + 18}, rows[row][i],
                      selected ? data_.Colours().HilightText : kWindowText, PreviewLabel::Align::Left);
                x += widths[i];
            }
            y += 18;
        }
    }

    // The Edit menu, open, drawn last so that it lies over the window.
    void PaintOpenMenu(int band_bottom) {
        const struct {
            const char* text;
            int kind;  // 0 normal, 1 selected, 2 separator, 3 disabled
        } items[] = {{"Back", 0}, {"Forward", 0}, {"Copy", 1}, {"", 2}, {"Select all", 0}, {"Print", 3}};
        int h = 2 * kPopupFrame;
        for (const auto& i : items) h += i.kind == 2 ? 8 : 20;
        const Rect menu = Rect::FromSize(open_menu_left_, band_bottom, 140, h);
        if (menu.right > client_.right || menu.bottom > client_.bottom) return;
        // The menu covers the texts under it.
        auto& labels = preview_.labels;
        labels.erase(std::remove_if(labels.begin(), labels.end(),
                                    [&](const PreviewLabel& l) { return !l.bounds.Intersect(menu).IsEmpty(); }),
                     labels.end());
        PaintMenuBackground(Canvas(), menu, data_);
        int y = menu.top + kPopupFrame;
        for (const auto& i : items) {
            const Rect r{menu.left + kPopupFrame, y, menu.right - kPopupFrame, y + (i.kind == 2 ? 8 : 20)};
            MenuItemLook look;
            look.separator = i.kind == 2;
            look.selected = i.kind == 1;
            look.enabled = i.kind != 3;
            const MenuItemText text = PaintMenuItem(Canvas(), r, data_, look);
            if (!look.separator) Label(text.caption, i.text, text.colour, PreviewLabel::Align::Left);
            y = r.bottom;
        }
    }

    TSkinData& data_;
    bool active_;
    int width_;
    int height_;
    FrameSizes frame_;
    Rect client_;
    int open_menu_left_ = 0;
    SkinPreview preview_;
};

}  // namespace

SkinPreview ComposeSkinPreview(TSkinData& data, const SkinPreviewArgs& args) {
    return PreviewPainter(data, args).Paint();
}

Bitmap RenderSkinPreview(TSkinData& data, const SkinPreviewArgs& args) { return ComposeSkinPreview(data, args).image; }

}  // namespace vc
