#include "platform/d3d8/gl/unmodelled_states.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

TEST(UnmodelledStates, EachIsReportedOnceWhenADrawUsesIt) {
  FILE* out = std::tmpfile();
  UnmodelledStates unmodelled(out);
  PipelineState state(true);
  state.renderStates[D3DRS_LIGHTING] = FALSE;
  unmodelled.Check(state);  // as the program sets it up: nothing to say
  state.renderStates[D3DRS_FOGENABLE] = TRUE;
  state.stageStates[0][D3DTSS_ADDRESSU] = D3DTADDRESS_BORDER;
  state.stageStates[1][D3DTSS_COLOROP] = D3DTOP_MODULATE;
  for (int draw = 0; draw < 3; ++draw) {
    ++state.stateVersion;
    unmodelled.Check(state);
  }
  std::rewind(out);
  std::string text(4096, '\0');
  text.resize(std::fread(text.data(), 1, text.size(), out));
  std::fclose(out);
  EXPECT_EQ(text,
            "GL backend: D3DRS_FOGENABLE is 0x1; drawn as if it were 0x0\n"
            "GL backend: texture stage 1 (stages 1 to 7) is 0x4; drawn as if it were 0x1\n"
            "GL backend: stage 0 addresses U with D3DTADDRESS_BORDER; drawn as clamp\n");
}

}  // namespace
