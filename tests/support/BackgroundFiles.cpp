#include "tests/support/BackgroundFiles.h"

#include "tools/ImageWriter.h"
#include "tools/ModelWriter.h"
#include "tools/ParticleWriter.h"
#include "tools/ShaderWriter.h"

namespace Testing {

namespace {

template <typename Bytes>
std::string Text(const Bytes& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

Tools::ModelFileData Square()
{
    Tools::ModelFileData data;
    data.vertexCount = 4;
    data.vertices = {{{-1, -1, 0}, {0, 0, 1}, 0, 0}, {{1, -1, 0}, {0, 0, 1}, 1, 0},
                     {{1, 1, 0}, {0, 0, 1}, 1, 1},   {{-1, 1, 0}, {0, 0, 1}, 0, 1}};
    data.indices = {0, 1, 2, 2, 3, 0};
    data.bounds = {{{-1, -1, 0}, {1, 1, 0}}};
    return data;
}

Tools::ModelFileData Path()
{
    Tools::ModelFileData data;
    data.flags = Tools::kModelVertexAnimated | Tools::kModelTriangleList;
    data.frameCount = 3;
    data.speed = 1.0f;
    data.vertexCount = 3;
    data.indices = {0, 1, 2};
    for (const float x : {100.0f, 300.0f, 100.0f}) {
        data.vertices.push_back({{x - 1, 49, 0}, {0, 0, 1}, 0, 0});
        data.vertices.push_back({{x + 1, 49, 0}, {0, 0, 1}, 0, 0});
        data.vertices.push_back({{x, 51, 0}, {0, 0, 1}, 0, 0});
        data.bounds.push_back({{x - 1, 49, 0}, {x + 1, 51, 0}});
    }
    return data;
}

Tools::ParticleSystemDescription Dots(std::uint32_t shape)
{
    Tools::ParticleSystemDescription dots;
    dots.gravityOn = false;
    dots.floorOn = false;
    dots.emission = {100, 100, 100, 100, 100, 100};
    dots.lifetimeCentre = {10, 10, 10, 10, 10, 10};
    dots.speedCentre = {0, 0, 0, 0, 0, 0};
    dots.emitterShape = shape;
    dots.boxMin = {-9, -18, -2};
    dots.boxMax = {11, 22, 8};
    return dots;
}

} // namespace

void BackgroundFiles::Write(const TempFolder& folder)
{
    folder.WriteFile(kList, "<resources><bg>\n"
                            "  <model name=\"quad\" file_name=\"quad.mlf\" color_verticies=\"1\"/>\n"
                            "  <model name=\"path\" file_name=\"path.mlf\"/>\n"
                            "  <particles name=\"dots\" file_name=\"dots.psf\"/>\n"
                            "  <particles name=\"box_dots\" file_name=\"box_dots.psf\"/>\n"
                            "  <shader name=\"tint\" diffuse_file_name=\"dot.tga\" opacity_file_name=\"dot.tga\"/>\n"
                            "</bg></resources>\n");
    const std::string shader = Text(Tools::BuildShaderFile(Tools::ShaderData{}));
    for (const char* stem : {"quad", "path", "dots", "box_dots"})
        folder.WriteFile(std::string("data\\bg\\") + stem + ".srf", shader);
    folder.WriteFile("data\\bg\\quad.mlf", Text(Tools::BuildModelFile(Square())));
    folder.WriteFile("data\\bg\\path.mlf", Text(Tools::BuildModelFile(Path())));
    folder.WriteFile("data\\bg\\dots.psf", Text(Tools::BuildParticleFile(Dots(0))));
    folder.WriteFile("data\\bg\\box_dots.psf", Text(Tools::BuildParticleFile(Dots(1))));
    Tools::TgaHeader header;
    header.width = 2;
    header.height = 2;
    header.depth = 32;
    folder.WriteFile("data\\bg\\dot.tga", Tools::TgaFile(header, std::vector<std::uint8_t>(16, 0xff)));
}

} // namespace Testing
