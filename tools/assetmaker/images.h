#pragma once
// The game's images, drawn procedurally.
#include "tools/assetmaker/canvas.h"

namespace AssetMaker {

Canvas makeGrid();
Canvas makeSelection();
Canvas makeSkybox();
Canvas makeDefaultSurface();
Canvas makeHexagon();
Canvas makeCrosshair();
Canvas makeTestBox();
Canvas makeWhite();
Canvas makeMousePointer();
Canvas makeToolTranslate();
Canvas makeToolScale();
Canvas makeToolRotate();
Canvas makePathBack();
Canvas makeDirectory();
Canvas makePagePrevious();
Canvas makePageNext();
Canvas makeIcon();

} // namespace AssetMaker
