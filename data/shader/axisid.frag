#version 330 core
// The handle's ID, unshaded: the editor reads its red byte back.

uniform vec4 uColor;

layout(location = 0) out vec4 fragColor;

void main()
{
    fragColor = uColor;
}
