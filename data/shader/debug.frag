#version 330 core

in vec3 vColor;

layout(location = 0) out vec4 fragColor;
layout(location = 1) out vec4 fragSurfaceId;

void main()
{
    fragColor = vec4(vColor, 1.0);
    fragSurfaceId = vec4(0.0);
}
