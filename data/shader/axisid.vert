#version 330 core
// Gizmo handles for the picking image, grown along their normals by uBorderScale so a handle
// is easier to grab than it looks.

in vec3 aPosition;
in vec3 aNormal;
in vec4 aColor;
in vec2 aTexCoord;

uniform mat4 uModelViewMatrix;
uniform mat4 uProjectionMatrix;
uniform float uBorderScale;

void main()
{
    vec3 grown = aPosition + normalize(aNormal + vec3(1e-6)) * uBorderScale;
    gl_Position = uProjectionMatrix * uModelViewMatrix * vec4(grown, 1.0);
}
