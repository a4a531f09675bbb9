#include "game/data/GameData.h"

#include "engine/app/Engine.h"
#include "engine/core/FileManager.h"
#include "engine/core/StringUtils.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "game/data/StartPicture.h"

namespace Tamrisk {

using namespace Halvard;

namespace {

constexpr u32 kRootWindowFlags = 5;
constexpr u32 kTextLayerWindowFlags = 1;

} // namespace

GameData::GameData(Engine* engine, const std::string& language)
    : DataKeeper(engine, language, true), gui_(engine->GetGUIManager())
{
    logos_[0] = MakeLogo(0);
    logos_[1] = MakeLogo(1);
}

// The logos are registered shader users: the registry removes them.
GameData::~GameData()
{
    gui_->DestroyWindow(textLayerWindow_);
    gui_->DestroyWindow(rootWindow_);
}

// A logo ships only with both of its pictures; without them there is simply
// none.
ShaderUser* GameData::MakeLogo(unsigned index)
{
    const std::string stem = "ui\\textures\\publishers\\" + UIntToString(index) + "_logo_small";
    const std::string diffuse = stem + ".jpg";
    const std::string opacity = stem + "_alpha.jpg";
    if (!files_->FileExists("data\\" + diffuse) || !files_->FileExists("data\\" + opacity))
        return nullptr;
    StartPicture::Check(files_, diffuse, opacity);
    ShaderUser* user = shaders_->CreateShaderUser(MakeShaderDescriptor(diffuse, opacity, true));
    AddAnonymousShaderUser(user);
    return user;
}

void GameData::FinishLoading()
{
    if (rootWindow_ != nullptr)
        return;
    const Vector2 zero(0.0f, 0.0f);
    rootWindow_ = gui_->CreateWindowFromModel(kRootWindowFlags, zero, zero, nullptr, nullptr);
    textLayerWindow_ = gui_->CreateWindowFromModel(kTextLayerWindowFlags, zero, zero, nullptr, rootWindow_);
    textLayerWindow_->SetLayer(kTextLayer);
}

} // namespace Tamrisk
