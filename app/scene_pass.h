#pragma once
// One picture per call: clear, the scene between BeginScene and EndScene, present.
void RenderFrame();
