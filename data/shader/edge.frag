#version 330 core
// Outlines from the scene's surface-ID image: a pixel lies on an outline when a neighbour shows
// another surface. Pixels with alpha 0 (the rope, the gizmo) take no part. Diagonal neighbours
// count half, which softens the line's steps.

in vec2 vTexCoord;

uniform vec2 uPixelSize;
uniform sampler2D uSurfaceIds;

layout(location = 0) out vec4 fragOutline;

const float ID_STEP = 0.5 / 255.0;

float differs(vec4 centre, vec2 offset)
{
    vec4 neighbour = texture(uSurfaceIds, vTexCoord + offset * uPixelSize);
    if (neighbour.a < 0.5)
        return 0.0;
    return any(greaterThan(abs(neighbour.rgb - centre.rgb), vec3(ID_STEP))) ? 1.0 : 0.0;
}

void main()
{
    vec4 centre = texture(uSurfaceIds, vTexCoord);
    if (centre.a < 0.5) {
        fragOutline = vec4(0.0);
        return;
    }
    float straight = differs(centre, vec2(1.0, 0.0)) + differs(centre, vec2(-1.0, 0.0))
                   + differs(centre, vec2(0.0, 1.0)) + differs(centre, vec2(0.0, -1.0));
    float diagonal = differs(centre, vec2(1.0, 1.0)) + differs(centre, vec2(-1.0, 1.0))
                   + differs(centre, vec2(1.0, -1.0)) + differs(centre, vec2(-1.0, -1.0));
    float edge = clamp(straight * 0.5 + diagonal * 0.25, 0.0, 1.0);
    fragOutline = vec4(0.0, 0.0, 0.0, edge);
}
