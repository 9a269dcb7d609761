#version 330 core
// Meshes of the default vertex layout: position, normal, colour, texture coordinate.

in vec3 aPosition;
in vec3 aNormal;
in vec4 aColor;
in vec2 aTexCoord;

uniform mat4 uModelViewMatrix;
uniform mat4 uProjectionMatrix;
uniform mat4 uModelMatrix;

out vec3 vWorldPosition;
out vec3 vViewPosition;
out vec3 vNormal;
out vec4 vColor;
out vec2 vTexCoord;

void main()
{
    vec4 viewPosition = uModelViewMatrix * vec4(aPosition, 1.0);
    vWorldPosition = (uModelMatrix * vec4(aPosition, 1.0)).xyz;
    vViewPosition = viewPosition.xyz;
    vNormal = mat3(uModelMatrix) * aNormal;
    vColor = aColor;
    vTexCoord = aTexCoord;
    gl_Position = uProjectionMatrix * viewPosition;
}
