// Making and freeing the scene objects.
#include "render/scene.h"

#include "render/block.h"
#include "render/plate.h"

void createScene(Scene& scene) {
    scene.thePlates = new PlateSurfaces();
    scene.theBlock = new Block();
    scene.theSceneAnchor = new SceneAnchor();
}

void destroyScene(Scene& scene) {
    delete scene.thePlates;
    delete scene.theBlock;
    delete scene.theSceneAnchor;
    scene = Scene();
}
