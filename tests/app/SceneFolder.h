// A temporary folder holding copies of chosen demo images, made the current folder
// for the lifetime of the object, as the demo runs from the folder of its images.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace scenetest {

// The five image files the demo reads.
extern const std::vector<std::string> ALL_IMAGES;

// The images minus the named ones.
std::vector<std::string> ImagesWithout(const std::vector<std::string>& missing);

class SceneFolder {
  public:
    explicit SceneFolder(const std::vector<std::string>& images);
    ~SceneFolder();
    SceneFolder(const SceneFolder&) = delete;
    SceneFolder& operator=(const SceneFolder&) = delete;

  private:
    std::filesystem::path Previous;
    std::filesystem::path Folder;
};

// Puts the engine and demo state a scene build touches back to a fresh process's:
// texture slots, tree lists, key table, mouse camera and the random stream.
void ResetSceneState();

// The entry point's GL start-up for an 800 by 600 client, then OpenGL_CreateList.
void BuildScene();

} // namespace scenetest
