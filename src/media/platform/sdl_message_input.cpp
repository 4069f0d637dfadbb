// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/platform/sdl_message_input.h"

#include "media/platform/x11_window_watch.h"


namespace media_detail {

namespace {

uint32_t SourceOfKey(SDL_Scancode scancode) {
    switch (scancode) {
        case SDL_SCANCODE_RETURN: return kConfirmReturn;
        case SDL_SCANCODE_KP_ENTER: return kConfirmKeypadEnter;
        case SDL_SCANCODE_SPACE: return kConfirmSpace;
        case SDL_SCANCODE_Z: return kConfirmZ;
        case SDL_SCANCODE_ESCAPE: return kConfirmEscape;
        default: return 0;
    }
}

void Press(Acknowledgement& acknowledgement, uint32_t source, bool repeat) {
    if (source) acknowledgement.Pressed(static_cast<ConfirmSource>(source), repeat);
}

void Release(Acknowledgement& acknowledgement, uint32_t source) {
    if (source) acknowledgement.Released(static_cast<ConfirmSource>(source));
}

}  // namespace

uint32_t HeldConfirmKeys() {
    struct Key {
        SDL_Scancode scancode;
        const char* keysym;  // its name for X11
    };
    static constexpr Key kKeys[] = {{SDL_SCANCODE_RETURN, "Return"}, {SDL_SCANCODE_KP_ENTER, "KP_Enter"},
                                    {SDL_SCANCODE_SPACE, "space"},   {SDL_SCANCODE_Z, "z"},
                                    {SDL_SCANCODE_ESCAPE, "Escape"}};
    int count = 0;
    const Uint8* held = SDL_GetKeyboardState(&count);
    uint32_t sources = 0;
    for (const Key& key : kKeys)
        if ((held && key.scancode < count && held[key.scancode]) || X11KeyHeld(key.keysym))
            sources |= SourceOfKey(key.scancode);
    return sources;
}

void FeedAcknowledgement(Acknowledgement& acknowledgement, const SDL_Event& event) {
    switch (event.type) {
        case SDL_KEYDOWN:
            Press(acknowledgement, SourceOfKey(event.key.keysym.scancode), event.key.repeat != 0);
            break;
        case SDL_KEYUP:
            Release(acknowledgement, SourceOfKey(event.key.keysym.scancode));
            break;
        // Pad button 1 is the controller's A, or a plain joystick's first button.
        case SDL_CONTROLLERBUTTONDOWN:
            if (event.cbutton.button == SDL_CONTROLLER_BUTTON_A) Press(acknowledgement, kConfirmPadButton1, false);
            break;
        case SDL_CONTROLLERBUTTONUP:
            if (event.cbutton.button == SDL_CONTROLLER_BUTTON_A) Release(acknowledgement, kConfirmPadButton1);
            break;
        case SDL_JOYBUTTONDOWN:
            if (event.jbutton.button == 0 && !SDL_GameControllerFromInstanceID(event.jbutton.which)) Press(acknowledgement, kConfirmPadButton1, false);
            break;
        case SDL_JOYBUTTONUP:
            if (event.jbutton.button == 0 && !SDL_GameControllerFromInstanceID(event.jbutton.which)) Release(acknowledgement, kConfirmPadButton1);
            break;
        // Pointer positions come in the picture's coordinates (the platform maps them).
        case SDL_MOUSEBUTTONDOWN:
            if (event.button.button == SDL_BUTTON_LEFT) acknowledgement.PointerPressed(event.button.x, event.button.y);
            break;
        case SDL_MOUSEBUTTONUP:
            if (event.button.button == SDL_BUTTON_LEFT) acknowledgement.PointerReleased(event.button.x, event.button.y);
            break;
        default:
            break;
    }
}

}  // namespace media_detail
