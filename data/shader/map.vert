#version 330 core
// The map's combined block mesh: the default layout plus each block face's ID colour.

in vec3 aPosition;
in vec3 aNormal;
in vec4 aColor;
in vec2 aTexCoord;
in vec3 aFaceId;

uniform mat4 uModelViewMatrix;
uniform mat4 uProjectionMatrix;
uniform mat4 uModelMatrix;

out vec3 vWorldPosition;
out vec3 vViewPosition;
out vec4 vColor;
out vec2 vTexCoord;
flat out vec3 vFaceId;

void main()
{
    vec4 viewPosition = uModelViewMatrix * vec4(aPosition, 1.0);
    vWorldPosition = (uModelMatrix * vec4(aPosition, 1.0)).xyz;
    vViewPosition = viewPosition.xyz;
    vColor = aColor;
    vTexCoord = aTexCoord;
    vFaceId = aFaceId;
    gl_Position = uProjectionMatrix * viewPosition;
}
