#include "drawing/FolderIconPaths.h"
#include "drawing/OstrelStyleKit.h"
#include "platform/gfx/GraphicsContext.h"

namespace ostrel {

using namespace folderIconPaths;

namespace {

constexpr gfx::Size kPopUpIcon { 180, 180 };

// The group folders of the pop-up: the emblem first, then the folder around it.
void emblemThenFolder(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint, std::initializer_list<gfx::Path> emblem)
{
    RoutineFrame routine(frame, resizing, kPopUpIcon);
    routine.context().setFillColor(tint);
    for (const gfx::Path& piece : emblem)
        piece.fill();
    folder().fill();
}

// The help, sound, log and similar folders: the folder first, then the emblem; the two never
// overlap, so the order shows only in the code.
void folderThenEmblem(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint, bool divider, const gfx::Path* emblem)
{
    RoutineFrame routine(frame, resizing, kPopUpIcon);
    routine.context().setFillColor(tint);
    folder(divider).fill();
    if (emblem)
        emblem->fill();
}

void item(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint, const gfx::Path& path)
{
    RoutineFrame routine(frame, resizing, kPopUpIcon);
    routine.context().setFillColor(tint);
    path.fill();
}

}

void OstrelStyleKit::drawFolder(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint) { emblemThenFolder(frame, resizing, tint, {}); }

void OstrelStyleKit::drawOptionsFolder(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint)
{
    emblemThenFolder(frame, resizing, tint, { optionsEmblem() });
}

void OstrelStyleKit::drawToolsFolder(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint)
{
    emblemThenFolder(frame, resizing, tint, { hammer() });
}

void OstrelStyleKit::drawToolsFolder2(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint)
{
    emblemThenFolder(frame, resizing, tint, { toolsEmblem2() });
}

void OstrelStyleKit::drawToolsFolder3(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint)
{
    emblemThenFolder(frame, resizing, tint, { toolsEmblem3() });
}

void OstrelStyleKit::drawActionFolder(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint)
{
    RoutineFrame routine(frame, resizing, kPopUpIcon);
    gfx::GraphicsContext& context = routine.context();
    // The arrow canvas, squeezed into the folder's middle and cut at its box.
    const gfx::Rect arrow { 59, 61.49, 61, 47.51 };
    context.save();
    context.clipToRect(arrow);
    context.translate(arrow.minX(), arrow.minY());
    drawCanvas2({ 0, 0, arrow.width(), arrow.height() }, ResizingBehavior::stretch, tint);
    context.restore();
    context.setFillColor(tint);
    folder().fill();
}

void OstrelStyleKit::drawNavigationFolder(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint)
{
    emblemThenFolder(frame, resizing, tint, { navigationEmblem() });
}

void OstrelStyleKit::drawNavigationFolder2(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint)
{
    emblemThenFolder(frame, resizing, tint, { navigationEmblem2Brackets(), navigationEmblem2Pointer() });
}

void OstrelStyleKit::drawHelpFolder(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint)
{
    gfx::Path emblem = helpEmblem();
    folderThenEmblem(frame, resizing, tint, true, &emblem);
}

void OstrelStyleKit::drawHelpFolder2(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint)
{
    gfx::Path emblem = helpEmblem2();
    folderThenEmblem(frame, resizing, tint, false, &emblem);
}

void OstrelStyleKit::drawLogFolder(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint)
{
    gfx::Path emblem = archiveBox();
    folderThenEmblem(frame, resizing, tint, false, &emblem);
}

void OstrelStyleKit::drawSoundFolder(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint)
{
    gfx::Path emblem = soundEmblem();
    folderThenEmblem(frame, resizing, tint, false, &emblem);
}

void OstrelStyleKit::drawSoundFolder2(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint)
{
    gfx::Path emblem = soundEmblem2();
    folderThenEmblem(frame, resizing, tint, false, &emblem);
}

void OstrelStyleKit::drawStatsFolder(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint)
{
    gfx::Path emblem = statsEmblem();
    folderThenEmblem(frame, resizing, tint, false, &emblem);
}

void OstrelStyleKit::drawSideBarFolder(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint)
{
    gfx::Path emblem = sideBarEmblem();
    folderThenEmblem(frame, resizing, tint, false, &emblem);
}

void OstrelStyleKit::drawPreferencesFolder(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint)
{
    gfx::Path emblem = globe();
    folderThenEmblem(frame, resizing, tint, false, &emblem);
}

void OstrelStyleKit::drawFolder2(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint)
{
    folderThenEmblem(frame, resizing, tint, true, nullptr);
}

void OstrelStyleKit::drawHelpItem(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint)
{
    item(frame, resizing, tint, folderIconPaths::helpItem());
}

void OstrelStyleKit::drawSideBarItem(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint)
{
    item(frame, resizing, tint, folderIconPaths::sideBarItem());
}

void OstrelStyleKit::publishFolderIcons(KitSelectorTable& t)
{
    using K = OstrelStyleKit;
    t.add("drawFolderWithFrame:resizing:tint:", &K::drawFolder);
    t.add("drawOptionsFolderWithFrame:resizing:tint:", &K::drawOptionsFolder);
    t.add("drawToolsFolderWithFrame:resizing:tint:", &K::drawToolsFolder);
    t.add("drawToolsFolder2WithFrame:resizing:tint:", &K::drawToolsFolder2);
    t.add("drawToolsFolder3WithFrame:resizing:tint:", &K::drawToolsFolder3);
    t.add("drawActionFolderWithFrame:resizing:tint:", &K::drawActionFolder);
    t.add("drawNavigationFolderWithFrame:resizing:tint:", &K::drawNavigationFolder);
    t.add("drawNavigationFolder2WithFrame:resizing:tint:", &K::drawNavigationFolder2);
    t.add("drawHelpFolderWithFrame:resizing:tint:", &K::drawHelpFolder);
    t.add("drawHelpFolder2WithFrame:resizing:tint:", &K::drawHelpFolder2);
    t.add("drawHelpItemWithFrame:resizing:tint:", &K::drawHelpItem);
    t.add("drawLogFolderWithFrame:resizing:tint:", &K::drawLogFolder);
    t.add("drawSoundFolderWithFrame:resizing:tint:", &K::drawSoundFolder);
    t.add("drawSoundFolder2WithFrame:resizing:tint:", &K::drawSoundFolder2);
    t.add("drawStatsFolderWithFrame:resizing:tint:", &K::drawStatsFolder);
    t.add("drawSideBarFolderWithFrame:resizing:tint:", &K::drawSideBarFolder);
    t.add("drawSideBarItemWithFrame:resizing:tint:", &K::drawSideBarItem);
    t.add("drawFolder2WithFrame:resizing:tint:", &K::drawFolder2);
    t.add("drawPreferencesFolderWithFrame:resizing:tint:", &K::drawPreferencesFolder);
}

}
