#pragma once
// render-screens: each screen's tools/render_<screen>.cpp registers the pictures
// it draws with one static RegisterRender object.
#include <QImage>

#include <functional>
#include <string>
#include <vector>

namespace trev::render {

struct Render {
    std::string fileName;  // without ".png"
    std::function<QImage()> draw;
};

inline std::vector<Render>& registry() {
    static std::vector<Render> renders;
    return renders;
}

struct RegisterRender {
    RegisterRender(std::string fileName, std::function<QImage()> draw) {
        registry().push_back({std::move(fileName), std::move(draw)});
    }
};

}  // namespace trev::render
