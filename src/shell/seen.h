// SPDX-License-Identifier: GPL-3.0-or-later
// The scene interface: every screen of the game derives from CSeen. Exactly
// one scene is current; the frame loop feeds it the newly pressed pad bits,
// lets it step and draw, and reads back the id of the scene it wants next.
#pragma once

#include <cstdint>

// Names a scene.
using SceneId = int32_t;
constexpr SceneId SceneEnd = 0;         // none: the program ends
constexpr SceneId SceneOpening = 1;     // Opening
constexpr SceneId SceneTitle = 2;       // Title
constexpr SceneId SceneMap = 4;         // CMapSeen (built with music on)
constexpr SceneId SceneStageTitle = 16; // StageTitle
constexpr SceneId SceneSelect = 32;     // SelectSeen
constexpr SceneId SceneEnding = 64;     // Ending
constexpr SceneId SceneReplay = 128;    // ReplaySeen: a kept solution watched again

class CSeen {
public:
    // Releases what the scene owns (its music, its own images).
    virtual ~CSeen() = default;
    // Unused hooks kept for the scene interface's slot order.
    virtual int32_t Reserved1(int32_t) { return 0; }
    virtual int32_t Reserved2() { return 0; }
    // Every scene returns nextId; asked right after construction whether the
    // scene was built correctly (0 = failed).
    virtual SceneId GetNextId(int32_t) = 0;
    // Reacts to the pad bits newly pressed this frame; returns nextId.
    virtual SceneId Update(uint32_t pressed) = 0;
    // Per-frame work that does not depend on input; returns nextId.
    virtual SceneId Step(int32_t) = 0;
    // Draws the scene into the back buffer.
    virtual void Draw() = 0;

    // The map scene keeps its stage's size in pixels here; nothing reads it.
    int32_t width = 0;
    int32_t height = 0;
    // The scene to run next frame: each constructor sets its own id.
    SceneId nextId = SceneEnd;
};
