#pragma once

// One picture per call: clear, the scene between BeginScene and EndScene, present; then the
// smoke moves on.
void RenderFrame();
// The world in its fixed drawing order, with the demo's view and the fixed projection.
void RenderScene();
