#include "platform/d3d8/vertex_format.h"

namespace {

// Bits this device understands; 2D texture coordinates only (the format bits above 16 zero).
constexpr DWORD kKnownBits = D3DFVF_POSITION_MASK | D3DFVF_NORMAL | D3DFVF_PSIZE | D3DFVF_DIFFUSE |
                             D3DFVF_SPECULAR | D3DFVF_TEXCOUNT_MASK;

}  // namespace

bool DescribeVertexFormat(DWORD fvf, VertexLayout* layout) {
  if ((fvf & ~kKnownBits) != 0) return false;
  DWORD position = fvf & D3DFVF_POSITION_MASK;
  if (position != D3DFVF_XYZ && position != D3DFVF_XYZRHW) return false;
  UINT texCount = (fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT;
  if (texCount > 8) return false;

  VertexLayout l;
  UINT offset = 0;
  auto place = [&offset](UINT bytes) {
    int at = static_cast<int>(offset);
    offset += bytes;
    return at;
  };
  l.transformed = position == D3DFVF_XYZRHW;
  l.position = place(l.transformed ? 16 : 12);
  if (fvf & D3DFVF_NORMAL) l.normal = place(12);
  if (fvf & D3DFVF_PSIZE) l.pointSize = place(4);
  if (fvf & D3DFVF_DIFFUSE) l.diffuse = place(4);
  if (fvf & D3DFVF_SPECULAR) l.specular = place(4);
  for (UINT i = 0; i < texCount; ++i) l.texCoords[i] = place(8);
  l.texCoordCount = texCount;
  l.size = offset;
  *layout = l;
  return true;
}
