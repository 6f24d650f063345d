// Every control of the window system in each state and size, drawn offscreen to PNG files
// for a developer to look at: <out>.png for the controls, and beside it <out>-menu.png,
// <out>-alert.png and <out>-status.png for a tracked menu, an alert and the status strip.
// A second argument draws them at that many pixels per point, as a high-density display.
#include "platform/base/RunLoop.h"
#include "platform/base/Timer.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Path.h"
#include "platform/ui/Alert.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/ColorWell.h"
#include "platform/ui/ControlLook.h"
#include "platform/ui/DatePicker.h"
#include "platform/ui/FilePanel.h"
#include "platform/ui/Menu.h"
#include "platform/ui/OffscreenBackend.h"
#include "platform/ui/PopUpButton.h"
#include "platform/ui/SegmentedControl.h"
#include "platform/ui/Slider.h"
#include "platform/ui/StatusItem.h"
#include "platform/ui/Switch.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TextField.h"
#include "platform/ui/TextView.h"
#include "platform/ui/TokenField.h"
#include "platform/ui/WebView.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/Window.h"

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace ui;

namespace {

constexpr double kWidth = 980;
constexpr double kRowHeight = 40;
constexpr double kLabelWidth = 130;
constexpr double kColumnWidth = 140;

class Sheet : public View {
public:
    static std::shared_ptr<Sheet> create() { return std::shared_ptr<Sheet>(new Sheet); }
    bool isFlipped() const override { return true; }
    void draw(gfx::GraphicsContext& context, const Rect&) override
    {
        context.setFillColor(gfx::Color::rgb(0.11, 0.11, 0.12));
        context.fillRect(bounds());
    }

private:
    Sheet()
        : View({})
    {
    }
};

// A template image: a small clock face.
std::shared_ptr<gfx::Image> clockImage()
{
    auto image = gfx::Image::create({ 16, 16 }, false, [](const Rect& r) {
        auto& context = gfx::GraphicsContext::requireCurrent();
        context.setColor(gfx::colors::black);
        auto face = gfx::Path::oval(r.insetBy(1.5, 1.5));
        face.setLineWidth(1.5);
        face.stroke();
        gfx::Path hands;
        hands.moveTo(r.center());
        hands.lineTo({ r.midX(), r.maxY() - 4 });
        hands.moveTo(r.center());
        hands.lineTo({ r.maxX() - 4.5, r.midY() });
        hands.setLineWidth(1.5);
        hands.stroke();
        return true;
    });
    image->setTemplate(true);
    return image;
}

struct Gallery {
    std::shared_ptr<Sheet> sheet = Sheet::create();
    double y = 30;

    void heading(const std::vector<std::string>& columns)
    {
        for (std::size_t i = 0; i < columns.size(); ++i) {
            auto label = TextField::createLabel(columns[i]);
            label->setTextColor(ControlLook::kSecondaryText);
            label->setFont(gfx::Font::system(11));
            label->setFrame(Rect(kLabelWidth + 10 + i * kColumnWidth, 8, kColumnWidth - 10, 16));
            sheet->addSubview(label);
        }
    }
    void row(const std::string& name, const std::vector<std::shared_ptr<Control>>& controls)
    {
        auto label = TextField::createLabel(name);
        label->setFrame(Rect(10, y + 10, kLabelWidth, 18));
        sheet->addSubview(label);
        for (std::size_t i = 0; i < controls.size(); ++i) {
            if (!controls[i])
                continue;
            Size size = controls[i]->intrinsicContentSize();
            double width = size.width < 0 ? kColumnWidth - 20 : std::min(size.width, kColumnWidth - 10);
            double height = size.height < 0 ? 24 : size.height;
            controls[i]->setFrame(Rect(kLabelWidth + 10 + i * kColumnWidth, y + (kRowHeight - height) / 2, width, height));
            sheet->addSubview(controls[i]);
        }
        y += kRowHeight;
    }
};

template<class T>
std::shared_ptr<Control> sized(std::shared_ptr<T> control, ControlSize size)
{
    control->setControlSize(size);
    return control;
}

std::shared_ptr<Control> disabled(std::shared_ptr<Control> control)
{
    control->setEnabled(false);
    return control;
}

std::shared_ptr<Button> button(const std::string& title, ButtonType type, int state = 0)
{
    auto b = Button::create(title, type);
    b->setState(state);
    return b;
}

std::shared_ptr<PopUpButton> popUp(bool pullsDown)
{
    auto p = PopUpButton::create(pullsDown);
    p->addItems(pullsDown ? std::vector<std::string> { "Tags", "work", "home" }
                          : std::vector<std::string> { "of 2 minutes", "of 5 minutes", "of 10 minutes" });
    return p;
}

// A log-book-like table: a group row, then entries of two heights.
class Entries : public TableViewDataSource {
public:
    int numberOfRows(TableView&) override { return 6; }
    std::shared_ptr<View> viewForRow(TableView&, int row) override
    {
        auto label = TextField::createLabel(row == 0 ? "Today" : "Slice " + std::to_string(row) + (row % 2 ? " — write the report" : ""));
        if (row == 0)
            label->setFont(gfx::Font::boldSystem(12));
        return label;
    }
    double heightOfRow(TableView&, int row) override { return row == 0 ? 22 : row % 2 ? 34 : 24; }
    bool isGroupRow(TableView&, int row) override { return row == 0; }
};

std::string sibling(const std::string& png, const std::string& suffix)
{
    auto dot = png.rfind(".png");
    return (dot == std::string::npos ? png : png.substr(0, dot)) + suffix + ".png";
}

}

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: ui-gallery <out.png> [scale]\n");
        return 2;
    }
    std::string png = argv[1];
    double scale = argc == 3 ? std::atof(argv[2]) : 1;
    auto app = Application::create(std::make_unique<OffscreenBackend>(scale));
    app->setDarkAppearance(true);

    Gallery g;
    g.heading({ "regular", "small", "mini", "on / highlighted", "disabled" });
    auto pressed = Button::create("Pressed");
    pressed->setHighlighted(true);
    g.row("Push button", { Button::create("Start"), sized(Button::create("Start"), ControlSize::Small),
                             sized(Button::create("Start"), ControlSize::Mini), pressed, disabled(Button::create("Start")) });
    auto withImage = Button::create("Clock");
    withImage->setImage(clockImage());
    auto imageOnly = Button::create();
    imageOnly->setImage(clockImage());
    imageOnly->setImagePosition(ImagePosition::ImageOnly);
    auto attributed = Button::create();
    text::Attributes bold;
    bold.font = gfx::Font::boldSystem(13);
    bold.foreground = gfx::Color::rgb(0.4, 0.85, 0.5);
    attributed->setAttributedTitle(text::AttributedString::fromUtf8("Attributed", bold));
    auto borderless = Button::create("Borderless");
    borderless->setBezelStyle(BezelStyle::Borderless);
    g.row("Image, title", { withImage, imageOnly, attributed, borderless, disabled(Button::create("Inline")) });
    g.row("Toggle / on-off", { button("Toggle", ButtonType::Toggle), button("Toggle", ButtonType::Toggle, 1),
                                 button("On/Off", ButtonType::OnOff), button("On/Off", ButtonType::OnOff, 1),
                                 disabled(button("On/Off", ButtonType::OnOff, 1)) });
    g.row("Check box", { button("Remind me", ButtonType::Switch), sized(button("Remind me", ButtonType::Switch), ControlSize::Small),
                           sized(button("Remind me", ButtonType::Switch, 1), ControlSize::Mini), button("Remind me", ButtonType::Switch, 1),
                           disabled(button("Remind me", ButtonType::Switch, 1)) });
    auto mixed = button("Mixed", ButtonType::Switch);
    mixed->setAllowsMixedState(true);
    mixed->setState(ControlStateValue::Mixed);
    g.row("Radio button", { button("Pomodoro", ButtonType::Radio), sized(button("Default", ButtonType::Radio), ControlSize::Small),
                              mixed, button("Pomodoro", ButtonType::Radio, 1), disabled(button("Default", ButtonType::Radio, 1)) });
    auto ticks = Slider::create(0, 60, 25);
    ticks->setNumberOfTickMarks(7);
    g.row("Slider", { Slider::create(0, 1, 0.3), sized(Slider::create(0, 1, 0.6), ControlSize::Small),
                        sized(Slider::create(0, 1, 0.9), ControlSize::Mini), ticks, disabled(Slider::create(0, 1, 0.5)) });
    auto highlightedPopUp = popUp(false);
    highlightedPopUp->setHighlighted(true);
    auto borderlessPopUp = popUp(false);
    borderlessPopUp->setBezelStyle(BezelStyle::Borderless);
    g.row("Pop-up button", { popUp(false), sized(popUp(false), ControlSize::Small), sized(popUp(false), ControlSize::Mini),
                               highlightedPopUp, borderlessPopUp });
    auto pullDownImage = PopUpButton::create(true);
    pullDownImage->addItem("");
    pullDownImage->itemAt(0)->setImage(clockImage());
    pullDownImage->setImagePosition(ImagePosition::ImageOnly);
    pullDownImage->addItem("Lock Screen");
    pullDownImage->setBezelStyle(BezelStyle::Borderless);
    pullDownImage->setPullsDown(true);
    g.row("Pull-down button", { popUp(true), sized(popUp(true), ControlSize::Small), sized(popUp(true), ControlSize::Mini),
                                  pullDownImage, disabled(popUp(true)) });
    auto segments = [] {
        auto s = SegmentedControl::create({ "Day", "Hour", "Week" });
        s->setSelectedSegment(1);
        return s;
    };
    g.row("Segmented", { segments(), sized(segments(), ControlSize::Small), sized(segments(), ControlSize::Mini),
                           SegmentedControl::create({ "None", "Set" }), disabled(segments()) });
    g.row("Switch", { Switch::create(), sized(Switch::create(), ControlSize::Small), sized(Switch::create(true), ControlSize::Mini),
                        Switch::create(true), disabled(Switch::create(true)) });
    g.row("Colour well", { ColorWell::create(gfx::Color::rgb(0.9, 0.3, 0.3)), ColorWell::create(gfx::Color::rgb(0.3, 0.7, 0.4)),
                             ColorWell::create(gfx::Color::rgb(0.3, 0.4, 0.9)), ColorWell::create(gfx::colors::white),
                             disabled(ColorWell::create(gfx::colors::black)) });
    double moment = 819'000'000;
    g.row("Date picker", { DatePicker::create(moment), sized(DatePicker::create(moment), ControlSize::Small),
                             sized(DatePicker::create(moment, DatePicker::HourMinuteSecond), ControlSize::Mini),
                             DatePicker::create(moment, DatePicker::YearMonthDay), disabled(DatePicker::create(moment)) });
    auto placeholder = TextField::create();
    placeholder->setPlaceholder("Objective");
    auto number = TextField::create("25");
    number->setAlignment(gfx::TextAlignment::right);
    g.row("Text field", { TextField::create("Write report"), sized(TextField::create("Write report"), ControlSize::Small),
                            sized(TextField::create("Write report"), ControlSize::Mini), placeholder, disabled(number) });
    auto wrapping = TextField::createLabel("A label that wraps at its width");
    wrapping->setWraps(true);
    wrapping->setPreferredMaxLayoutWidth(kColumnWidth - 10);
    auto centred = TextField::createLabel("Centred");
    centred->setAlignment(gfx::TextAlignment::center);
    g.row("Label", { TextField::createLabel("Duration:"), sized(TextField::createLabel("Duration:"), ControlSize::Small),
                       sized(TextField::createLabel("Duration:"), ControlSize::Mini), wrapping, disabled(TextField::createLabel("Duration:")) });

    auto tokens = TokenField::create();
    tokens->setTokens({ "writing", "review" });
    auto typingTokens = TokenField::create();
    typingTokens->setPlaceholder("No Tags.");
    g.row("Token field", { tokens, typingTokens });

    // The larger views, side by side under the controls.
    double top = g.y + 10;
    auto pad = TextView::create();
    text::Attributes plain;
    plain.font = gfx::Font::named("Helvetica", 13);
    text::Attributes strong = plain;
    strong.font = gfx::Font::named("Helvetica-Bold", 13);
    text::Attributes link = plain;
    link.link = "https://example.org/";
    link.underline = 1;
    link.foreground = gfx::Color::rgb(0.45, 0.65, 1);
    text::Attributes struck = plain;
    struck.strikethrough = 1;
    auto padText = text::AttributedString(u"Now pad\n", strong);
    padText.append(u"• Draft the chapter, see ", plain);
    padText.append(u"the task", link);
    padText.append(u"\n• ", plain);
    padText.append(u"Answer the mail", struck);
    padText.append(u"\nA long line that wraps at the width of the pad to show how text flows.", plain);
    pad->setAttributedString(padText);
    pad->setTextContainerInset(Size(6, 6));
    pad->setFrame(Rect(10, top, 300, 160));
    pad->setSelectedRange({ 8, 5 });
    g.sheet->addSubview(pad);

    auto scroll = ScrollView::create();
    scroll->setContentView(ClipView::create(true));
    scroll->setHasVerticalScroller(true);
    scroll->setFrame(Rect(330, top, 300, 160));
    auto table = TableView::create();
    table->setBackgroundColor(gfx::Color::rgb(0.15, 0.15, 0.16));
    scroll->setDocumentView(table);
    g.sheet->addSubview(scroll);
    Entries entries;
    table->setDataSource(&entries);
    table->selectRow(3);

    WebView::setBrowser(std::nullopt);
    auto web = WebView::create();
    web->setFrame(Rect(650, top, 320, 160));
    g.sheet->addSubview(web);
    std::string help = "/tmp/ostrel-gallery-help.html";
    if (FILE* f = std::fopen(help.c_str(), "w")) {
        std::fputs("<html><head><title>Soft Breaks</title></head><body></body></html>", f);
        std::fclose(f);
        web->load(help);
    }
    g.y = top + 170;

    double height = g.y + 20;
    g.sheet->setFrame(Rect(0, 0, kWidth, height));
    auto window = Window::create(Rect(100, 100, kWidth, height));
    window->setContentView(g.sheet);
    window->orderFront();
    window->display();
    bool ok = window->writePng(png);

    // A menu as it tracks, captured from inside its own run.
    auto menu = Menu::create();
    menu->addItem("Start Time Slice", [](MenuItem&) { }, "s");
    menu->addItem("Pause", [](MenuItem&) { })->setEnabled(false);
    menu->addItem(MenuItem::separator());
    auto checked = menu->addItem("Lock Screen", [](MenuItem&) { });
    checked->setState(ControlStateValue::On);
    auto sub = MenuItem::create("Break Length");
    sub->setSubmenu(Menu::create());
    sub->submenu()->addItem("5 minutes");
    menu->addItem(sub);
    menu->addItem("Quit Ostrel", [](MenuItem&) { }, "q");
    auto capture = base::Timer::create(0.05, true, base::RunLoop::Mode::Common, [&](base::Timer& timer) {
        if (Window* w = menu->trackingWindow()) {
            timer.invalidate();
            w->display();
            ok = w->writePng(sibling(png, "-menu")) && ok;
            menu->cancelTracking();
        }
    });
    menu->popUp(nullptr, Point(200, 600), nullptr);

    Alert::setResponder([&](Alert& alert) -> std::optional<int> {
        alert.window()->display();
        ok = alert.window()->writePng(sibling(png, "-alert")) && ok;
        return 1;
    });
    auto alert = Alert::create();
    alert->setMessageText("Are you sure you want to quit Ostrel?");
    alert->setInformativeText("Your timeslice will not be logged.");
    alert->addButton("OK");
    alert->addButton("Cancel");
    alert->setShowsSuppressionButton(true);
    alert->runModal();
    Alert::setResponder({});

    auto status = StatusItem::create();
    status->button()->setImage(clockImage());
    status->button()->setTitle("24:59 ");
    status->stripWindow()->display();
    ok = status->stripWindow()->writePng(sibling(png, "-status")) && ok;

    FilePanel::setResponder([&](FilePanel& panel) -> std::optional<FilePanel::Response> {
        panel.window()->display();
        ok = panel.window()->writePng(sibling(png, "-save")) && ok;
        return FilePanel::Response::Cancel;
    });
    auto save = FilePanel::savePanel();
    save->setTitle("Export Logs in CSV format");
    save->setAllowedFileTypes({ "csv" });
    save->setDirectory("/usr/share");
    save->setNameFieldStringValue("Ostrel Log.csv");
    save->runModal();
    FilePanel::setResponder({});

    if (!ok) {
        std::fprintf(stderr, "ui-gallery: could not write %s\n", png.c_str());
        return 1;
    }
    return 0;
}
