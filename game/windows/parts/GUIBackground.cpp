#include "game/windows/parts/GUIBackground.h"

#include "engine/gui/GUIWindow.h"

namespace Tamrisk {

GUIBackground::GUIBackground(Halvard::Engine* engine, GameTools::DataKeeper* resources)
    : GUIBackgroundBase(engine, resources, nullptr, kDescriptionPath)
{
    LoadBasicLayers();
    GetUpperWindow()->SetLayer(GetUpperWindow()->GetLayer() + kUpperLayerRaise);
}

} // namespace Tamrisk
