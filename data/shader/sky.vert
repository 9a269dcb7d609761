#version 330 core
// The sky box around the camera: a cube whose faces sample the 3 x 2 sky atlas, drawn at the far
// plane.

in vec3 aPosition;
in vec3 aNormal;
in vec4 aColor;
in vec2 aTexCoord;

uniform mat4 uModelViewMatrix;
uniform mat4 uProjectionMatrix;

out vec2 vTexCoord;
out vec3 vDirection;

void main()
{
    vTexCoord = aTexCoord;
    vDirection = aPosition;
    // At the far plane (depth 1), behind everything drawn before it.
    gl_Position = (uProjectionMatrix * uModelViewMatrix * vec4(aPosition, 1.0)).xyww;
}
