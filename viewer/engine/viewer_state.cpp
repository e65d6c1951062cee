#include "viewer/engine/viewer_state.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "common/imaging/fixed_palette.h"

namespace orb {

static_assert(kLargestPreparedSide == DisplayDevice::kModes.back().width, "frames fit the widest display mode");

namespace {

// World positions handed to the draw list stay far inside 32 bits.
int TruncatedWorld(double value) {
    constexpr double kFar = 1 << 30;
    if (!(value == value)) return 0;  // NaN
    return static_cast<int>(std::clamp(value, -kFar, kFar));
}

// The music file's extension: the text after the last '.' that follows the last
// folder separator.
std::string Extension(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot < start) return {};
    return path.substr(dot + 1);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

ViewerState::ViewerState(const Platform& platform, SpriteFactory factory)
    : platform_(WithDefaults(platform, defaults_)),
      display(*platform_.display, *this, *platform_.reports),
      screen(platform.screen),
      factory_(std::move(factory)) {}

ViewerState::~ViewerState() { Deinitialise(); }

void ViewerState::Trace(std::string_view text) { platform_.trace->Trace(text); }

void ViewerState::QuitWithCode(int code) {
    Trace("Exiting with code " + std::to_string(code) + "\n");
    if (quitCode_) return;
    quitCode_ = code;
    platform_.quit->QuitWithCode(code);
}

int ViewerState::WorkingDepth() const { return screen.bitsPerPixel < 9 ? 8 : 24; }

bool ViewerState::Initialise(const std::string& path) {
    FreeList(actors);
    actorCursor = nullptr;
    backdropImage.reset();
    bannerImage.reset();
    desktopCapture.reset();
    starField.reset();
    for (auto& sound : sounds) sound.reset();
    forceRedraw = true;
    projectPath = path;
    lackedSpace_ = false;

    screen = platform_.screen;
    const std::string option = platform_.profile->GetString("EnableSound", "SoundsOn", "Y");
    settings.soundsOn = option.empty() || option[0] != 'N';
    viewRect = {0, 0, screen.width, screen.height};
    platform_.input->TakeSnapshot();

    if (!LoadProject()) {
        // Input during loading ends the saver quietly, as it does once the show runs;
        // a project too large to unpack has already said so.
        if (!quitRequested && !lackedSpace_)
            Reports().Error("Errors occurred while loading the screensaver file: program will terminate");
        return false;
    }
    if (isPreview) return true;
    if (platform_.input->InputSinceSnapshot()) {
        QuitWithCode(kExitInputDuringLoad);
        return false;
    }
    return CaptureDesktop();
}

bool ViewerState::CaptureDesktop() {
    if (screen.width == 0 || screen.height == 0) {
        Reports().Error("False rect passed: exiting");
        QuitWithCode(screen.width == 0 ? kExitScreenWidthZero : kExitScreenHeightZero);
        return false;
    }
    auto capture = std::make_unique<GXDrawingSurface>();
    if (!platform_.desktop->Capture(*capture) || capture->Empty()) return true;
    capture->ConvertTo24(Program::Viewer, Reports());
    capture->Scale(screen.width, screen.height, Reports());
    if (WorkingDepth() == 8) {
        capture->ConvertTo8Keyed(Program::Viewer);
        const auto& palette = FixedPalette(Program::Viewer);
        capture->palette.assign(palette.begin(), palette.end());
    } else {
        // White is kept free for transparency.
        capture->ApplyColourKey(1, Program::Viewer);
    }
    desktopCapture = std::move(capture);
    return true;
}

bool ViewerState::PrepareActorImages() {
    std::vector<PictureSize> sizes;
    for (const auto& frame : actors)
        sizes.push_back(SizeWithin({frame->Width(), frame->Height()}, kLargestPreparedSide));
    const PicturePlan plan =
        PlanPreparedPictures(sizes, WorkingDepth(), settings.quickRotation != 0, pictureBudget);
    if (!plan.fits) {
        Reports().Error("The actors' pictures need more memory than the viewer gives them (" +
                            std::to_string(plan.bytes >> 20) + " MB, at most " +
                            std::to_string(pictureBudget >> 20) + " MB): use fewer or smaller pictures",
                        projectPath);
        return false;
    }
    if (plan.copySide > 0) Trace("Pre-rotated copies made at most " + std::to_string(plan.copySide) + " pixels a side");
    for (std::size_t i = 0; i < actors.size(); ++i) {
        GXDrawingSurface& frame = *actors[i];
        if (platform_.input->InputSinceSnapshot()) {
            quitRequested = true;
            QuitWithCode(kExitInputDuringLoad);
            return false;
        }
        frame.ConvertTo24(Program::Viewer, Reports());
        if (sizes[i] != PictureSize{frame.Width(), frame.Height()}) frame.Scale(sizes[i].width, sizes[i].height, Reports());
        frame.ApplyColourKey(0, Program::Viewer);
        frame.squareCanvas = true;
        if (WorkingDepth() == 8) frame.ConvertTo8Keyed(Program::Viewer);
        if (settings.quickRotation) frame.MakeRotationSet(plan.copySide);
    }
    return true;
}

void ViewerState::Deinitialise() {
    Trace("In Deinitialise");
    running = false;
    backdropImage.reset();
    for (auto& sprite : sprites) sprite.reset();
    spriteCount = 0;
    // Draw items point into the actor list: they go before it.
    display.DXUninit();
    FreeList(actors);
    actorCursor = nullptr;
    starField.reset();
    platform_.midi->Stop();
    platform_.wave->StopAll();
}

void ViewerState::SetUpViewGeometry() {
    pixelReference = viewRect;
    // The mapped rectangle and its frame are the whole screen.
    const Rect frame = viewRect, mapped = viewRect;
    if (frame.Width() <= 0 || frame.Height() <= 0) return;
    const double sx = kWorldWidth / frame.Width();
    const double sy = kWorldHeight / frame.Height();
    const double left = (mapped.left - frame.left) * sx;
    const double top = (mapped.top - frame.top) * sy;
    playArea = {static_cast<int>(left), static_cast<int>(top),
                static_cast<int>(left + sx * mapped.Width()),
                static_cast<int>(top + sy * mapped.Height())};
    mapping = {playArea, pixelReference};
    if (display.ModeWidth() > 0) {
        playArea.right = static_cast<int>(kWorldWidth / viewRect.Width() * display.ModeWidth());
        playArea.bottom = static_cast<int>(kWorldHeight / viewRect.Height() * display.ModeHeight());
    }
}

bool ViewerState::StartShow() {
    if (!display.DXInit(screen.width, screen.height, screen.bitsPerPixel)) {
        QuitWithCode(kExitDisplayOrActor);
        return false;
    }
    display.SetQuickRotation(settings.quickRotation != 0);
    SetUpViewGeometry();
    dirty.Push(viewRect);

    if (backdropImage && settings.backgroundKind != kImageBackground) backdropImage.reset();
    if (!backdropImage && settings.backgroundKind == kImageBackground)
        settings.backgroundKind = kColourBackground;
    if (!ChooseBackground()) return false;
    desktopCapture.reset();

    platform_.input->TakeSnapshot();
    actorCursor = actors.empty() ? nullptr : actors.front().get();
    PopulateScene();
    if (quitCode_ && *quitCode_ != 0) return false;
    startRefresh = true;
    Tick();
    SoundStart();
    return true;
}

bool ViewerState::ChooseBackground() {
    const auto colour = static_cast<std::uint32_t>(settings.backgroundColour);
    if (!settings.eraser) {
        switch (settings.backgroundKind) {
        case kStarfieldBackground:
            display.SetBackdrop(nullptr, 0);
            starField = std::make_unique<StarField>(100, display.ModeWidth(), display.ModeHeight(),
                                                    random);
            return true;
        case kDesktopBackground:
            if (!desktopCapture) {
                QuitWithCode(kExitNoDesktopCapture);
                return false;
            }
            display.SetBackdrop(desktopCapture.get(), 0);
            return true;
        case kImageBackground:
            display.SetBackdrop(backdropImage.get(), 0);
            return true;
        default:
            display.SetBackdrop(nullptr, colour);
            return true;
        }
    }
    // The eraser: the screen starts as the desktop and sprites uncover what lies beneath.
    display.SetBackdrop(desktopCapture.get(), 0);
    if (settings.backgroundKind == kStarfieldBackground) settings.backgroundKind = kColourBackground;
    if (settings.backgroundKind == kImageBackground)
        display.AddXorBuffer(backdropImage.get(), 0);
    else
        display.AddXorBuffer(nullptr, colour);
    return true;
}

std::unique_ptr<GXDrawingSurface> ViewerState::PreviewPicture(int width, int height) const {
    if (!bannerImage || bannerImage->Empty() || width <= 0 || height <= 0) return nullptr;
    auto picture = std::make_unique<GXDrawingSurface>(*bannerImage);
    NullReportSink quiet;
    picture->ConvertTo24(Program::Viewer, quiet);
    picture->Scale(width, height, quiet);
    if (WorkingDepth() < 16) picture->ConvertTo8Keyed(Program::Viewer);
    return picture;
}

void ViewerState::Tick() {
    if (quitRequested) return;
    RunFrame();
}

void ViewerState::PopulateScene() {
    running = true;
    quitRequested = false;
    for (auto& sprite : sprites) sprite.reset();
    spriteCount = 0;
    modeScene = ModeScene{};
    if (actors.empty()) return;
    const int count = std::clamp(settings.number, 0, kMaxSprites);
    for (int i = 0; i < count; ++i) {
        if (settings.motionMode == kRandomMode) {
            random.Seed(platform_.clock->NowSeconds());
            settings.motionMode = random.Below(7);
        }
        std::unique_ptr<Sprite> sprite;
        if (settings.motionMode >= 0 && settings.motionMode < kRandomMode && factory_)
            sprite = factory_(settings.motionMode);
        if (!sprite) {
            QuitWithCode(kExitBadMotionMode);
            return;
        }
        sprites[spriteCount++] = std::move(sprite);
        sprites[spriteCount - 1]->Init(*this);
    }
}

void ViewerState::RunFrame() {
    if (!running) return;
    if (startRefresh) dirty.Push(viewRect);
    display.DrawList(dirty, 1);
    const std::uint32_t flags = settings.eraser ? kDrawTransparent | kDrawErase : kDrawTransparent;
    for (int i = 0; i < spriteCount; ++i) {
        Sprite& sprite = *sprites[i];
        if ((sprite.lifeState == kAlive || sprite.lifeState == kStuttering) && sprite.actor) {
            const int x = TruncatedWorld(sprite.motion.x), y = TruncatedWorld(sprite.motion.y);
            const double angle = std::trunc(sprite.displayAngle);
            if (!sprite.drawHandle) {
                sprite.drawHandle = display.AddObject(
                    sprite.actor, &mapping, sprite.width, sprite.height,
                    static_cast<int>(sprite.baseWidth), static_cast<int>(sprite.baseHeight), angle,
                    sprite.actor->frameIndex, flags, kWhiteKey, sprite.flipHorizontal,
                    sprite.flipVertical);
                display.PlaceObject(sprite.drawHandle, x, y);
            }
            display.UpdateObject(sprite.drawHandle, sprite.width, sprite.height, angle,
                                 sprite.actor->frameIndex, forceRedraw, sprite.flipHorizontal,
                                 sprite.flipVertical);
            display.PlaceObject(sprite.drawHandle, x, y);
            forceRedraw = false;
        }
        sprite.Update();
    }
    if (spriteCount > 0) sprites[spriteCount - 1]->EndFrame();
    display.UpdateDrawList(dirty);
    display.BlitAllItems(ImprintsSprites());
    display.DrawList(dirty, 2);
    if (starField && !starField->Draw(*platform_.display, random))
        QuitWithCode(kExitStarFieldNoScreen);
    startRefresh = false;
}

void ViewerState::PlayPendingSounds() {
    auto play = [this](bool& pending, SoundSlot slot) {
        if (!pending) return;
        pending = false;
        if (sounds[slot]) platform_.wave->Play(slot, false);
    };
    play(bounceSoundPending, kBounceSound);
    play(createSoundPending, kCreateSound);
    play(destroySoundPending, kDestroySound);
}

void ViewerState::SoundStart() {
    if (!settings.soundsOn)
        for (auto& sound : sounds) sound.reset();
    auto& music = sounds[kMusicSound];
    if (music) {
        if (EqualsIgnoringCase(Extension(soundPaths[kMusicSound]), "wav")) {
            // The wave player sounds one wave at a time: effects would cut the music.
            for (std::size_t slot = kBounceSound; slot < kSoundSlots; ++slot) sounds[slot].reset();
            if (platform_.wave->Prepare(kMusicSound, *music))
                platform_.wave->Play(kMusicSound, settings.loopMusic != 0);
        } else if (platform_.midi->Open(*music)) {
            // Without looping the piece plays once.
            platform_.midi->Play(settings.loopMusic ? -1 : 0, 0, -1);
        }
    }
    for (std::size_t slot = kBounceSound; slot < kSoundSlots; ++slot)
        if (sounds[slot] && !platform_.wave->Prepare(SoundSlot(slot), *sounds[slot]))
            sounds[slot].reset();
}

}  // namespace orb
