#version 330 core
// Map blocks: the hexagon pattern over the block colour, broken up by a large-scale detail
// texture, lit by the sun. The face ID goes to the second output, where a change of ID between
// neighbouring pixels becomes an outline.

in vec3 vWorldPosition;
in vec3 vViewPosition;
in vec4 vColor;
in vec2 vTexCoord;
flat in vec3 vFaceId;

uniform sampler2D uTexture;
uniform sampler2D uDetailTexture;

layout(location = 0) out vec4 fragColor;
layout(location = 1) out vec4 fragSurfaceId;

const vec3 SUN_DIRECTION = normalize(vec3(0.35, 0.55, 0.75));
// A weak light from the opposite side keeps the faces turned away from the sun readable.
const vec3 FILL_DIRECTION = normalize(vec3(-0.6, -0.45, 0.25));
const vec3 SKY_AMBIENT = vec3(0.62, 0.68, 0.78);
const vec3 GROUND_AMBIENT = vec3(0.36, 0.34, 0.32);
const vec3 FOG_COLOR = vec3(0.76, 0.84, 0.92);
const float FOG_DENSITY = 0.0028;

vec3 faceNormal()
{
    return normalize(cross(dFdx(vWorldPosition), dFdy(vWorldPosition)));
}

vec3 sunLight(vec3 normal)
{
    float diffuse = max(dot(normal, SUN_DIRECTION), 0.0);
    vec3 ambient = mix(GROUND_AMBIENT, SKY_AMBIENT, normal.z * 0.5 + 0.5);
    float fill = max(dot(normal, FILL_DIRECTION), 0.0);
    return ambient * 0.75 + vec3(1.0, 0.97, 0.9) * diffuse * 0.5 + vec3(0.75, 0.8, 0.9) * fill * 0.25;
}

void main()
{
    vec3 pattern = texture(uTexture, vTexCoord).rgb;
    vec3 detail = texture(uDetailTexture, vTexCoord * 0.25).rgb;
    float detailShade = 0.85 + 0.3 * dot(detail, vec3(0.299, 0.587, 0.114));
    vec3 albedo = vColor.rgb * pattern * detailShade;
    vec3 lit = albedo * sunLight(faceNormal());
    float fog = 1.0 - exp(-FOG_DENSITY * length(vViewPosition));
    fragColor = vec4(mix(lit, FOG_COLOR, fog), 1.0);
    fragSurfaceId = vec4(vFaceId, 1.0);
}
