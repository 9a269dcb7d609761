#version 330 core
// Selection highlight over a selected block. The pattern is projected along the face's axis in
// block units (position times the block's scale), so it keeps its size on blocks of any shape.

in vec3 aPosition;
in vec3 aNormal;
in vec4 aColor;
in vec2 aTexCoord;

uniform mat4 uModelViewMatrix;
uniform mat4 uProjectionMatrix;
uniform vec3 uScale;

out vec2 vTexCoord;
out float vFacing;

void main()
{
    vec3 scaled = aPosition * uScale;
    vec3 axis = abs(aNormal);
    if (axis.x >= axis.y && axis.x >= axis.z)
        vTexCoord = scaled.yz;
    else if (axis.y >= axis.z)
        vTexCoord = scaled.xz;
    else
        vTexCoord = scaled.xy;
    vec4 viewPosition = uModelViewMatrix * vec4(aPosition, 1.0);
    vFacing = aNormal.z;
    gl_Position = uProjectionMatrix * viewPosition;
}
