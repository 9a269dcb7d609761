#version 330 core
// Pushes every covered pixel to the far plane, clearing depth inside a shape.

layout(location = 0) out vec4 fragColor;

void main()
{
    gl_FragDepth = 1.0;
    fragColor = vec4(0.0);
}
