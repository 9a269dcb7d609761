#pragma once
// The two seams through which the UI layer and the map editor join the game's update and frame.
// The game controller owns one of each and calls them at fixed points of its update and render;
// while one is absent the controller skips its calls.
namespace Game {

class Course;

// The UI layer: pointer clicks once per update, and every UI layer drawn once per frame.
class UiPass {
public:
    virtual ~UiPass() = default;
    // Update, after the per-state input: hover, press and click handling of the UI elements.
    virtual void handleClicks() = 0;
    // Frame, over the composed scene in window pixels: layers 0 to 9 (backgrounds, sprites,
    // texts, carets).
    virtual void draw() = 0;
};

// The map editor: its tick while the editor is open, and its transform gizmo in the frame.
class EditorPass {
public:
    virtual ~EditorPass() = default;
    // Update, first step, in the editor state only.
    virtual void tick() = 0;
    // Scene pass, after the depth buffer was cleared: the visible gizmo, when one is shown.
    virtual void drawGizmo() = 0;
    // Picking pass, into the colour-ID target: the gizmo's handle ids, when one is shown.
    virtual void drawGizmoIds() = 0;
    // The editor state begins (from the main menu, with the map emptied) or ends (for the main
    // menu): the editor takes or gives up its camera and forgets its selection and history.
    virtual void open() = 0;
    virtual void close() = 0;
    // Leaves the editor's pause menu, as its "Resume" button does.
    virtual void resume() = 0;
    // The map's blocks were replaced (a map was loaded): the selection, the blocks waiting to be
    // selected and the history, which named the old blocks, are emptied.
    virtual void mapReplaced() = 0;
    // The map's blocks differ from the map last saved, loaded or made new.
    virtual bool hasUnsavedChanges() = 0;
    // The course being edited, its gates drawn over the scene in the editor state.
    virtual const Course* course() = 0;
};

} // namespace Game
