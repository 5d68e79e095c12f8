#include "platform/d3d8/gl/unmodelled_states.h"

#include <algorithm>
#include <iterator>

namespace {

// What DrawSettings::For, FixedFunctionKey and SamplerKey read.
constexpr D3DRENDERSTATETYPE kModelledRenderStates[] = {
    D3DRS_ZENABLE,           D3DRS_ZWRITEENABLE,     D3DRS_ZFUNC,
    D3DRS_ALPHATESTENABLE,   D3DRS_ALPHAREF,         D3DRS_ALPHAFUNC,
    D3DRS_ALPHABLENDENABLE,  D3DRS_SRCBLEND,         D3DRS_DESTBLEND,
    D3DRS_CULLMODE,          D3DRS_TEXTUREFACTOR,    D3DRS_COLORWRITEENABLE,
    D3DRS_POINTSIZE,         D3DRS_POINTSIZE_MIN,    D3DRS_POINTSIZE_MAX,
    D3DRS_POINTSPRITEENABLE, D3DRS_POINTSCALEENABLE, D3DRS_POINTSCALE_A,
    D3DRS_POINTSCALE_B,      D3DRS_POINTSCALE_C,
};
constexpr D3DTEXTURESTAGESTATETYPE kModelledStageStates[] = {
    D3DTSS_COLOROP,   D3DTSS_COLORARG1, D3DTSS_COLORARG2,     D3DTSS_ALPHAOP,
    D3DTSS_ALPHAARG1, D3DTSS_ALPHAARG2, D3DTSS_TEXCOORDINDEX, D3DTSS_ADDRESSU,
    D3DTSS_ADDRESSV,  D3DTSS_MAGFILTER, D3DTSS_MINFILTER,     D3DTSS_MIPFILTER,
};

// A state and the value the backend draws as. Stage states are stage 0's unless `stage` says
// otherwise.
struct Listed {
  enum Kind { kRender, kStage } kind;
  DWORD type;
  const char* name;
  DWORD drawnAs;
  DWORD stage = 0;
};

constexpr DWORD kOne = 0x3F800000;  // 1.0f

constexpr Listed kListed[] = {
    {Listed::kRender, D3DRS_FILLMODE, "D3DRS_FILLMODE", D3DFILL_SOLID},
    {Listed::kRender, D3DRS_SHADEMODE, "D3DRS_SHADEMODE", D3DSHADE_GOURAUD},
    {Listed::kRender, D3DRS_LASTPIXEL, "D3DRS_LASTPIXEL", TRUE},
    {Listed::kRender, D3DRS_DITHERENABLE, "D3DRS_DITHERENABLE", FALSE},
    {Listed::kRender, D3DRS_FOGENABLE, "D3DRS_FOGENABLE", FALSE},
    {Listed::kRender, D3DRS_SPECULARENABLE, "D3DRS_SPECULARENABLE", FALSE},
    {Listed::kRender, D3DRS_ZVISIBLE, "D3DRS_ZVISIBLE", 0},
    {Listed::kRender, D3DRS_FOGCOLOR, "D3DRS_FOGCOLOR", 0},
    {Listed::kRender, D3DRS_FOGTABLEMODE, "D3DRS_FOGTABLEMODE", 0},
    {Listed::kRender, D3DRS_FOGSTART, "D3DRS_FOGSTART", 0},
    {Listed::kRender, D3DRS_FOGEND, "D3DRS_FOGEND", kOne},
    {Listed::kRender, D3DRS_FOGDENSITY, "D3DRS_FOGDENSITY", kOne},
    {Listed::kRender, D3DRS_EDGEANTIALIAS, "D3DRS_EDGEANTIALIAS", FALSE},
    {Listed::kRender, D3DRS_ZBIAS, "D3DRS_ZBIAS", 0},
    {Listed::kRender, D3DRS_RANGEFOGENABLE, "D3DRS_RANGEFOGENABLE", FALSE},
    {Listed::kRender, D3DRS_STENCILENABLE, "D3DRS_STENCILENABLE", FALSE},
    {Listed::kRender, D3DRS_STENCILFAIL, "D3DRS_STENCILFAIL", D3DSTENCILOP_KEEP},
    {Listed::kRender, D3DRS_STENCILZFAIL, "D3DRS_STENCILZFAIL", D3DSTENCILOP_KEEP},
    {Listed::kRender, D3DRS_STENCILPASS, "D3DRS_STENCILPASS", D3DSTENCILOP_KEEP},
    {Listed::kRender, D3DRS_STENCILFUNC, "D3DRS_STENCILFUNC", D3DCMP_ALWAYS},
    {Listed::kRender, D3DRS_STENCILREF, "D3DRS_STENCILREF", 0},
    {Listed::kRender, D3DRS_STENCILMASK, "D3DRS_STENCILMASK", 0xFFFFFFFF},
    {Listed::kRender, D3DRS_STENCILWRITEMASK, "D3DRS_STENCILWRITEMASK", 0xFFFFFFFF},
    {Listed::kRender, D3DRS_WRAP0, "D3DRS_WRAP0", 0},
    {Listed::kRender, D3DRS_WRAP1, "D3DRS_WRAP1", 0},
    {Listed::kRender, D3DRS_WRAP2, "D3DRS_WRAP2", 0},
    {Listed::kRender, D3DRS_WRAP3, "D3DRS_WRAP3", 0},
    {Listed::kRender, D3DRS_WRAP4, "D3DRS_WRAP4", 0},
    {Listed::kRender, D3DRS_WRAP5, "D3DRS_WRAP5", 0},
    {Listed::kRender, D3DRS_WRAP6, "D3DRS_WRAP6", 0},
    {Listed::kRender, D3DRS_WRAP7, "D3DRS_WRAP7", 0},
    {Listed::kRender, D3DRS_CLIPPING, "D3DRS_CLIPPING", TRUE},
    // Vertices keep their diffuse colour: the picture is the unlit one.
    {Listed::kRender, D3DRS_LIGHTING, "D3DRS_LIGHTING", FALSE},
    {Listed::kRender, D3DRS_AMBIENT, "D3DRS_AMBIENT", 0},
    {Listed::kRender, D3DRS_FOGVERTEXMODE, "D3DRS_FOGVERTEXMODE", 0},
    {Listed::kRender, D3DRS_COLORVERTEX, "D3DRS_COLORVERTEX", TRUE},
    {Listed::kRender, D3DRS_LOCALVIEWER, "D3DRS_LOCALVIEWER", TRUE},
    {Listed::kRender, D3DRS_NORMALIZENORMALS, "D3DRS_NORMALIZENORMALS", FALSE},
    {Listed::kRender, D3DRS_DIFFUSEMATERIALSOURCE, "D3DRS_DIFFUSEMATERIALSOURCE", D3DMCS_COLOR1},
    {Listed::kRender, D3DRS_SPECULARMATERIALSOURCE, "D3DRS_SPECULARMATERIALSOURCE", D3DMCS_COLOR2},
    {Listed::kRender, D3DRS_AMBIENTMATERIALSOURCE, "D3DRS_AMBIENTMATERIALSOURCE", D3DMCS_MATERIAL},
    {Listed::kRender, D3DRS_EMISSIVEMATERIALSOURCE, "D3DRS_EMISSIVEMATERIALSOURCE",
     D3DMCS_MATERIAL},
    {Listed::kRender, D3DRS_VERTEXBLEND, "D3DRS_VERTEXBLEND", 0},
    {Listed::kRender, D3DRS_CLIPPLANEENABLE, "D3DRS_CLIPPLANEENABLE", 0},
    {Listed::kRender, D3DRS_SOFTWAREVERTEXPROCESSING, "D3DRS_SOFTWAREVERTEXPROCESSING", FALSE},
    {Listed::kRender, D3DRS_MULTISAMPLEANTIALIAS, "D3DRS_MULTISAMPLEANTIALIAS", TRUE},
    {Listed::kRender, D3DRS_MULTISAMPLEMASK, "D3DRS_MULTISAMPLEMASK", 0xFFFFFFFF},
    {Listed::kRender, D3DRS_PATCHEDGESTYLE, "D3DRS_PATCHEDGESTYLE", 0},
    {Listed::kRender, D3DRS_PATCHSEGMENTS, "D3DRS_PATCHSEGMENTS", kOne},
    {Listed::kRender, D3DRS_DEBUGMONITORTOKEN, "D3DRS_DEBUGMONITORTOKEN", 0},
    {Listed::kRender, D3DRS_INDEXEDVERTEXBLENDENABLE, "D3DRS_INDEXEDVERTEXBLENDENABLE", FALSE},
    {Listed::kRender, D3DRS_TWEENFACTOR, "D3DRS_TWEENFACTOR", 0},
    {Listed::kRender, D3DRS_BLENDOP, "D3DRS_BLENDOP", D3DBLENDOP_ADD},
    {Listed::kStage, D3DTSS_BUMPENVMAT00, "D3DTSS_BUMPENVMAT00", 0},
    {Listed::kStage, D3DTSS_BUMPENVMAT01, "D3DTSS_BUMPENVMAT01", 0},
    {Listed::kStage, D3DTSS_BUMPENVMAT10, "D3DTSS_BUMPENVMAT10", 0},
    {Listed::kStage, D3DTSS_BUMPENVMAT11, "D3DTSS_BUMPENVMAT11", 0},
    {Listed::kStage, D3DTSS_BORDERCOLOR, "D3DTSS_BORDERCOLOR", 0},
    {Listed::kStage, D3DTSS_MIPMAPLODBIAS, "D3DTSS_MIPMAPLODBIAS", 0},
    {Listed::kStage, D3DTSS_MAXMIPLEVEL, "D3DTSS_MAXMIPLEVEL", 0},
    {Listed::kStage, D3DTSS_MAXANISOTROPY, "D3DTSS_MAXANISOTROPY", 1},
    {Listed::kStage, D3DTSS_BUMPENVLSCALE, "D3DTSS_BUMPENVLSCALE", 0},
    {Listed::kStage, D3DTSS_BUMPENVLOFFSET, "D3DTSS_BUMPENVLOFFSET", 0},
    {Listed::kStage, D3DTSS_TEXTURETRANSFORMFLAGS, "D3DTSS_TEXTURETRANSFORMFLAGS", 0},
    {Listed::kStage, D3DTSS_ADDRESSW, "D3DTSS_ADDRESSW", D3DTADDRESS_WRAP},
    {Listed::kStage, D3DTSS_COLORARG0, "D3DTSS_COLORARG0", D3DTA_CURRENT},
    {Listed::kStage, D3DTSS_ALPHAARG0, "D3DTSS_ALPHAARG0", D3DTA_CURRENT},
    {Listed::kStage, D3DTSS_RESULTARG, "D3DTSS_RESULTARG", D3DTA_CURRENT},
    // Only stage 0 draws: stage 1 stays disabled, and with it every stage after.
    {Listed::kStage, D3DTSS_COLOROP, "texture stage 1 (stages 1 to 7)", D3DTOP_DISABLE, 1},
};

// Values of modelled states that are drawn as another: GL ES has no border colour, and stage
// operations beyond these are drawn as the default modulate.
struct Substituted {
  D3DTEXTURESTAGESTATETYPE type;
  const char* message;
  bool (*applies)(DWORD value);
};
constexpr Substituted kSubstituted[] = {
    {D3DTSS_ADDRESSU, "stage 0 addresses U with D3DTADDRESS_BORDER; drawn as clamp",
     [](DWORD v) { return v == D3DTADDRESS_BORDER; }},
    {D3DTSS_ADDRESSV, "stage 0 addresses V with D3DTADDRESS_BORDER; drawn as clamp",
     [](DWORD v) { return v == D3DTADDRESS_BORDER; }},
    {D3DTSS_COLOROP, "stage 0's colour operation is beyond D3DTOP_ADDSIGNED; drawn as modulate",
     [](DWORD v) { return v > D3DTOP_ADDSIGNED; }},
    {D3DTSS_ALPHAOP, "stage 0's alpha operation is beyond D3DTOP_ADDSIGNED; drawn as modulate",
     [](DWORD v) { return v > D3DTOP_ADDSIGNED; }},
};

DWORD ValueOf(const PipelineState& state, const Listed& listed) {
  return listed.kind == Listed::kRender
             ? state.Render(static_cast<D3DRENDERSTATETYPE>(listed.type))
             : state.Stage(listed.stage, static_cast<D3DTEXTURESTAGESTATETYPE>(listed.type));
}

template <typename T, size_t N>
bool Contains(const T (&list)[N], DWORD value) {
  return std::find(std::begin(list), std::end(list), value) != std::end(list);
}

bool ListedAs(Listed::Kind kind, DWORD type) {
  return std::any_of(std::begin(kListed), std::end(kListed), [&](const Listed& l) {
    return l.kind == kind && l.type == type && l.stage == 0;
  });
}

}  // namespace

bool UnmodelledStates::IsModelled(D3DRENDERSTATETYPE state) {
  return Contains(kModelledRenderStates, state);
}
bool UnmodelledStates::IsListed(D3DRENDERSTATETYPE state) {
  return ListedAs(Listed::kRender, state);
}
bool UnmodelledStates::IsModelled(D3DTEXTURESTAGESTATETYPE type) {
  return Contains(kModelledStageStates, type);
}
bool UnmodelledStates::IsListed(D3DTEXTURESTAGESTATETYPE type) {
  return ListedAs(Listed::kStage, type);
}

void UnmodelledStates::Check(const PipelineState& state) {
  if (checked_ && state.stateVersion == checkedVersion_) return;
  checked_ = true;
  checkedVersion_ = state.stateVersion;
  constexpr size_t kListedCount = std::size(kListed);
  reported_.resize(kListedCount + std::size(kSubstituted));
  for (size_t i = 0; i < kListedCount; ++i) {
    const DWORD value = ValueOf(state, kListed[i]);
    if (value == kListed[i].drawnAs || reported_[i]) continue;
    reported_[i] = true;
    std::fprintf(out_, "GL backend: %s is 0x%X; drawn as if it were 0x%X\n", kListed[i].name, value,
                 kListed[i].drawnAs);
  }
  for (size_t i = 0; i < std::size(kSubstituted); ++i) {
    if (!kSubstituted[i].applies(state.Stage(0, kSubstituted[i].type))) continue;
    if (reported_[kListedCount + i]) continue;
    reported_[kListedCount + i] = true;
    std::fprintf(out_, "GL backend: %s\n", kSubstituted[i].message);
  }
}
