// Temporary image folders and a fresh scene for the demo's tests.
#include "SceneFolder.h"

#include "Scene.h"
#include "Tavrel_SimplePlants_Ext1.h"
#include "Vistral.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace scenetest {

namespace fs = std::filesystem;

const std::vector<std::string> ALL_IMAGES = {"Floor05.bmp", "corteccia02.bmp", "rosso.bmp",
                                             "acacia.tga", "giglio.tga"};

namespace {

constexpr int kClientWidth = 800;
constexpr int kClientHeight = 600;
constexpr int kBmpSlotsUsed = 3;
constexpr int kTgaSlotsUsed = 2;

} // namespace

// The five names minus the missing ones.
std::vector<std::string> ImagesWithout(const std::vector<std::string>& missing) {
    std::vector<std::string> kept;
    for (const auto& name : ALL_IMAGES)
        if (std::find(missing.begin(), missing.end(), name) == missing.end()) kept.push_back(name);
    return kept;
}

// Makes the folder, copies the images and enters it.
SceneFolder::SceneFolder(const std::vector<std::string>& images) {
    std::string pattern = (fs::temp_directory_path() / "demo_scene_XXXXXX").string();
    if (!mkdtemp(pattern.data())) ADD_FAILURE() << "cannot make a temporary folder";
    Folder = pattern;
    for (const auto& name : images)
        fs::copy_file(fs::path(VISTRAL_ASSETS_DIR) / name, Folder / name);
    Previous = fs::current_path();
    fs::current_path(Folder);
}

// Leaves and removes the folder.
SceneFolder::~SceneFolder() {
    std::error_code ignored;
    fs::current_path(Previous, ignored);
    fs::remove_all(Folder, ignored);
}

// Fresh-process values for everything a scene build or a frame reads.
void ResetSceneState() {
    PlantsRandomReset();
    for (int i = 0; i < kBmpSlotsUsed; ++i)
        TextureID2[i] = 0;
    for (int i = 0; i < kTgaSlotsUsed; ++i)
        TextureTGA2[i] = TGATexture{};
    for (int i = 0; i < TREE_COUNT; ++i)
        Tree[i] = 0;
    for (long long k = KEY_TABLE_LOW; k <= KEY_TABLE_HIGH; ++k)
        SetKey[k] = KEY_UP;
    Depth = 0;
    XRot = 0;
    YRot = 0;
    LeftMouseDown = false;
    RightMouseDown = false;
    Width = kClientWidth;
    Height = kClientHeight;
}

// Steps 5 to 8 of the program's start-up.
void BuildScene() {
    ResetSceneState();
    OpenGL_Init(100.0, 0, 0, 0, 0);
    SetGLRefractive();
    SetGLLight(GL_LIGHT0, 0.0f, 0.0f, 0.0f, 0.1f);
    OpenGL_CreateList();
}

} // namespace scenetest
