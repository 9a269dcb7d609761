#version 330 core
// The frame on screen: the lit scene, darkened along the outlines.

in vec2 vTexCoord;

uniform sampler2D uSceneColor;
uniform sampler2D uOutlines;

layout(location = 0) out vec4 fragColor;

const float OUTLINE_DARKNESS = 0.75;

void main()
{
    vec3 scene = texture(uSceneColor, vTexCoord).rgb;
    float outline = texture(uOutlines, vTexCoord).a;
    fragColor = vec4(scene * (1.0 - OUTLINE_DARKNESS * outline), 1.0);
}
