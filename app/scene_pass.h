#pragma once
// One picture per call: clear, the scene between BeginScene and EndScene, present.
void RenderFrame();
// The world in its fixed drawing order, with the camera's view and the fixed projection.
void RenderScene();
